#include "files/FileTestSupport.h"
#include "files/detail/LineBuilder.h"
#include "files/detail/PathHelpers.h"
#include "files/detail/Utf8Decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace pardalin::detail;
using filetest::ToStd;

namespace
{
// Runs both passes of the decoder.
std::wstring DecodeAll(const std::string& bytes, Utf8Run& run)
{
    const BYTE* data = reinterpret_cast<const BYTE*>(bytes.data());
    run = Utf8Measure(data, static_cast<int>(bytes.size()));
    std::wstring text(static_cast<size_t>(run.units) + 1, L'#');
    Utf8Decode(data, run.bytesUsed, &text[0]);
    EXPECT_EQ(L'#', text.back()) << "the filling pass wrote more units than the counting pass found";
    text.pop_back();
    return text;
}
} // namespace

TEST(InternalFilesPathJoin, ExactlyOneBackslash)
{
    for (const wchar_t* folder : {L"C:\\dir", L"C:\\dir\\"})
        for (const wchar_t* name : {L"name", L"\\name"})
            EXPECT_EQ(L"C:\\dir\\name", ToStd(PathJoin(folder, name))) << folder << L" " << name;
    EXPECT_EQ(L"C:\\dir\\", ToStd(PathJoin(L"C:\\dir", L"")));
    EXPECT_EQ(L"C:\\dir\\", ToStd(PathJoin(L"C:\\dir\\", nullptr)));
    EXPECT_EQ(L"\\name", ToStd(PathJoin(L"", L"name")));
    EXPECT_EQ(L"b\\c\\", ToStd(PathJoin(L"b", L"c\\")));
    // Only one backslash is dropped: doubled ones in the parts stay.
    EXPECT_EQ(L"a\\\\b", ToStd(PathJoin(L"a\\\\", L"\\b")));
}

TEST(InternalFilesDriveRoot, OnlyRootsOfDrives)
{
    // The full path is what counts; a root of a missing drive is still a root.
    const struct
    {
        const wchar_t* path;
        bool root, exists;
    } cases[] = {{L"C:\\", true, true},  {L"c:\\", true, true},          {L"C:\\windows\\..", true, true},
                 {L"Q:\\", true, false}, {L"C:\\windows", false, false}, {L"\\\\server\\share", false, false},
                 {L"", false, false},    {nullptr, false, false}};
    for (const auto& c : cases)
    {
        bool exists = !c.exists;
        EXPECT_EQ(c.root, IsDriveRoot(c.path, exists)) << (c.path ? c.path : L"null");
        EXPECT_TRUE(!c.root || c.exists == exists) << (c.path ? c.path : L"null");
    }
}

TEST(InternalFilesShareRoot, ServerAndShareOnly)
{
    // The roots themselves, with and without a trailing backslash, are checked through the path status.
    VUnicodeString share(L"unchanged");
    for (const wchar_t* notRoot :
         {L"\\\\server", L"\\\\server\\", L"\\\\server\\share\\dir", L"\\\\", L"\\\\\\share",
          L"\\server\\share", L"C:\\share", L"", L"\\\\server\\\\", L"\\\\server\\share\\\\"})
    {
        EXPECT_FALSE(IsUncShareRoot(notRoot, share)) << notRoot;
    }
    EXPECT_FALSE(IsUncShareRoot(nullptr, share));
    EXPECT_EQ(L"unchanged", ToStd(share));
}

TEST(InternalFilesSplit, BothFormsFromOneSplitter)
{
    const struct
    {
        SplitForm form;
        const wchar_t* path;
        const wchar_t* parent;
        const wchar_t* leaf;
    } cases[] = {
        {SplitForm::Directory, L"C:\\a\\", L"C:\\a", L""},
        {SplitForm::Directory, L"C:", L"C:", L""},
        {SplitForm::Directory, L"C:b", L"C:", L"b"},
        {SplitForm::Directory, L"a\\\\b", L"a\\", L"b"},
        {SplitForm::Directory, L"\\\\server\\share\\f.x", L"\\\\server\\share", L"f.x"},
        {SplitForm::Directory, L"\\b", L"\\", L"b"},
        {SplitForm::Directory, L"b", L"", L"b"},
        {SplitForm::Directory, L"", L"", L""},
        {SplitForm::Parent, L"C:\\a\\b\\\\", L"C:\\a", L"b"},
        {SplitForm::Parent, L"C:\\a", L"C:", L"a"},
        {SplitForm::Parent, L"a/b/", L"a", L"b"},
        {SplitForm::Parent, L"\\name", L"\\", L"name"},
        {SplitForm::Parent, L"name", L"", L"name"},
        {SplitForm::Parent, L"C:", L"", L""},
        {SplitForm::Parent, L"C:\\", L"", L""},
        {SplitForm::Parent, L"\\", L"", L""},
    };
    for (const auto& c : cases)
    {
        VUnicodeString parent(L"stale");
        VUnicodeString leaf(L"stale");
        SplitPath(c.path, parent, leaf, c.form);
        EXPECT_EQ(c.parent, ToStd(parent)) << c.path;
        EXPECT_EQ(c.leaf, ToStd(leaf)) << c.path;
    }
}

TEST(InternalFilesTrim, TrailingBackslashes)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\a\\\\\\", L"C:\\a"}, {L"C:\\", L"C:"}, {L"\\\\\\", L""}, {L"", L""}, {L"a\\b", L"a\\b"}};
    for (const auto& c : cases)
    {
        VUnicodeString path(c.first);
        TrimTrailingBackslashes(path);
        EXPECT_EQ(c.second, ToStd(path)) << c.first;
    }
}

TEST(InternalFilesUtf8, IncompleteSequencesWaitAndInvalidOnesStop)
{
    Utf8Run run;
    EXPECT_EQ(L"ab", DecodeAll("ab\xE2\x82", run));
    EXPECT_FALSE(run.invalid) << "an incomplete sequence at the end is not an error";
    EXPECT_EQ(2, run.bytesUsed);

    EXPECT_EQ(L"ab", DecodeAll("ab\xC3\x28xyz", run));
    EXPECT_TRUE(run.invalid);
    EXPECT_EQ(2, run.bytesUsed);

    // Completeness is checked before validity: a bad byte not yet followed by enough bytes just waits.
    EXPECT_EQ(L"", DecodeAll("\xF8\x80", run));
    EXPECT_FALSE(run.invalid);
    EXPECT_EQ(L"", DecodeAll("\xF8\x80\x80\x80", run));
    EXPECT_TRUE(run.invalid);
    EXPECT_EQ(L"x", DecodeAll("x\xF4\x90\x80\x80", run));
    EXPECT_TRUE(run.invalid) << "above 0x10FFFF";

    // Lenient forms: stray continuation bytes, overlong forms and surrogates pass.
    EXPECT_EQ(std::wstring(L"\x0080/\xD800"), DecodeAll("\x80\xC0\xAF\xED\xA0\x80", run));
    EXPECT_FALSE(run.invalid);
}

// Growth and copies kept apart go through the text reader's tests and its fuzz harness.
TEST(InternalFilesLineBuilder, AnEmptyRunEmptiesTheLineAndASensitiveOneStaysSensitive)
{
    VUnicodeString line(L"previous text");
    {
        LineBuilder builder(line);
    }
    EXPECT_TRUE(line.IsEmpty());
    VUnicodeString secret(L"s", Str::Sensitive);
    {
        LineBuilder builder(secret);
        builder.Append(L"abc", 3);
        EXPECT_EQ(3, builder.GetLength());
    }
    EXPECT_TRUE(secret.IsSensitive());
    EXPECT_EQ(L"abc", ToStd(secret));
}
