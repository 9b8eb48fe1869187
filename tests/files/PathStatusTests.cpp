#include "files/FileTestSupport.h"
#include "files/PathStatus.h"
#include "files/VFindData.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace filetest;

namespace
{
class FilesPath : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateDirectoryW(folder.Path(L"a").c_str(), nullptr));
        ASSERT_TRUE(WriteBytes(folder.Path(L"a\\file.txt"), "12345"));
    }

    // Splits with VExtractLocalDirectory into "directory|name", with "!" in front when the answer is false.
    static std::wstring Extract(const std::wstring& path)
    {
        VUnicodeString directory(L"stale");
        VUnicodeString name(L"stale");
        const bool found = VExtractLocalDirectory(path.c_str(), directory, name);
        return (found ? L"" : L"!") + ToStd(directory) + L"|" + ToStd(name);
    }

    // Like Extract, for VSplitLocalExistingDirectory: "existing|missing".
    static std::wstring Split(const std::wstring& path)
    {
        VUnicodeString existing;
        VUnicodeString missing;
        const bool found = VSplitLocalExistingDirectory(path.c_str(), existing, missing);
        return (found ? L"" : L"!") + ToStd(existing) + L"|" + ToStd(missing);
    }

    TempFolder folder;
};

const FILETIME Time1 = {1, 2};
const FILETIME Time2 = {3, 4};
} // namespace

TEST(FilesFindData, ConstructorFillsEveryFieldAndBoundsTheName)
{
    const std::wstring longName(300, L'n');
    const VFindData data(0x20, Time1, Time2, Time1, 0x123456789ull, longName.c_str());
    EXPECT_TRUE(data.nFileSizeHigh == 1 && data.GetSize() == 0x123456789ull);
    EXPECT_EQ(std::wstring(259, L'n'), ToStd(data.GetFilename()));

    // Attributes: directory 0x10, link 0x40, normal 0x80; a link that is neither folder nor file is
    // unresolved.
    const struct
    {
        DWORD attributes;
        bool directory, link, unresolved;
    } cases[] = {{0x40, false, true, true},  {0x50, true, true, false},   {0xC0, false, true, false},
                 {0x10, true, false, false}, {0x80, false, false, false}, {0x60, false, true, true}};
    for (const auto& c : cases)
    {
        const VFindData entry(c.attributes, Time1, Time1, Time1, 0, L"x");
        EXPECT_EQ(std::make_tuple(c.directory, c.link, c.unresolved),
                  std::make_tuple(entry.IsDirectory(), entry.IsLink(), entry.IsUnresolvedLink()))
            << c.attributes;
    }
}

TEST_F(FilesPath, StatusOfFilesFoldersAndStreamNames)
{
    VFindData data;
    ASSERT_TRUE(VPathStatus(folder.Path(L"a\\file.txt").c_str(), data, false));
    EXPECT_TRUE(ToStd(data.GetFilename()) == L"file.txt" && data.GetSize() == 5 && !data.IsDirectory());
    VFindData fileAsFolder;
    EXPECT_FALSE(VPathStatus(folder.Path(L"a\\file.txt").c_str(), fileAsFolder, true));
    EXPECT_EQ(L"file.txt", ToStd(fileAsFolder.GetFilename())) << "a file found as a folder still fills data";
    ASSERT_TRUE(VPathStatus(folder.Path(L"a\\").c_str(), data, true)) << "a trailing backslash is removed";
    EXPECT_EQ(L"a", ToStd(data.GetFilename()));

    VFindData untouched(0x20, Time1, Time2, Time1, 9, L"keep");
    EXPECT_FALSE(VPathStatus(folder.Path(L"a\\missing").c_str(), untouched, false));
    // A relative name with a colon (a stream) is refused, while the same name without it is found.
    CurrentFolder here(folder.Get());
    EXPECT_FALSE(VPathStatus(L"a\\file.txt:stream", untouched, false));
    EXPECT_TRUE(ToStd(untouched.GetFilename()) == L"keep" && untouched.GetSize() == 9);
    EXPECT_TRUE(VPathStatus(L"a\\file.txt", data, false));
}

TEST_F(FilesPath, DriveAndShareRootsAreFoldersWithoutALookup)
{
    VFindData data;
    EXPECT_TRUE(VPathStatus(L"C:\\", data, true) && data.IsDirectory() &&
                ToStd(data.GetFilename()) == L"C:\\");
    // A drive that does not exist is still a root: the data says so, the answer says it is missing.
    EXPECT_FALSE(VPathStatus(L"Q:\\", data, false));
    EXPECT_TRUE(ToStd(data.GetFilename()) == L"Q:\\" && data.dwFileAttributes == FILE_ATTRIBUTE_DIRECTORY);

    EXPECT_TRUE(VPathStatus(L"\\\\no-such-server\\share", data, true) &&
                ToStd(data.GetFilename()) == L"share");
    EXPECT_TRUE(VPathStatus(L"\\\\no-such-server\\other\\", data, false) &&
                ToStd(data.GetFilename()) == L"other");
}

TEST_F(FilesPath, SplitsOffTheMissingComponentsAndWritesToTheDeepestExistingFolder)
{
    EXPECT_EQ(folder.Path(L"a|b\\c\\"), Split(folder.Path(L"a\\b\\c")));
    EXPECT_EQ(folder.Path(L"a|"), Split(folder.Path(L"a\\\\")));
    EXPECT_EQ(folder.Path(L"a|file.txt\\x\\"), Split(folder.Path(L"a\\file.txt\\x")))
        << "a file is no folder";
    EXPECT_EQ(L"C:\\|pardalin-nowhere\\b\\c\\", Split(L"C:\\pardalin-nowhere\\b\\c"));
    EXPECT_EQ(L'!', Split(L"Q:\\a\\b")[0]) << "no folder of it exists";
    EXPECT_EQ(L'!', Split(L"")[0]);
    EXPECT_EQ(L'!', Split(L"nowhere-relative")[0]);

    // A path is writable when the deepest of its folders that exists is.
    EXPECT_TRUE(VIsPathWritable(folder.Path(L"a\\new\\deeper\\file.txt").c_str()));
    EXPECT_TRUE(VIsPathWritable(folder.Get().c_str()));
    EXPECT_FALSE(VIsPathWritable(L"Q:\\nothing\\here"));
}

TEST_F(FilesPath, ExtractsFolderAndName)
{
    EXPECT_EQ(folder.Path(L"a|file.txt"), Extract(folder.Path(L"a\\file.txt")));
    EXPECT_EQ(folder.Path(L"a|"), Extract(folder.Path(L"a"))) << "an existing folder is all folder";
    EXPECT_EQ(folder.Path(L"a|new.txt"), Extract(folder.Path(L"a\\new.txt")));
    EXPECT_EQ(L"!" + folder.Path(L"missing|new.txt"), Extract(folder.Path(L"missing\\new.txt")));
    EXPECT_EQ(L'!', Extract(folder.Path(L"a\\file.txt\\new.txt"))[0]) << "the folder of the name is a file";
    EXPECT_EQ(L'!', Extract(L"")[0]);

    EXPECT_EQ(L"C:\\|", Extract(L"C:\\"));
    EXPECT_EQ(L"C:\\|pardalin-new.txt", Extract(L"C:\\pardalin-new.txt"));
    EXPECT_EQ(L"!Q:\\|", Extract(L"Q:\\"));
    EXPECT_EQ(L"!Q:\\|new.txt", Extract(L"Q:\\new.txt")) << "a file on a missing drive";
    {
        CurrentFolder root(L"C:\\");
        EXPECT_EQ(L"C:\\|", Extract(L"C:")) << "C: is the root while the root is current";
    }
    // Otherwise C: stands for a folder that is not a root, and the name "C:" itself names nothing.
    CurrentFolder elsewhere(folder.Get());
    EXPECT_EQ(L"!C:|", Extract(L"C:"));
}

TEST_F(FilesPath, LongPathsWorkOrFailClearly)
{
    // Names far beyond MAX_PATH: no function may overrun a buffer, and each answers with a result.
    const std::wstring deep = MakeDeepFolder(folder.Get());
    ASSERT_FALSE(deep.empty()) << GetLastError();
    const std::wstring name = std::wstring(200, L'f') + L".txt";
    ASSERT_TRUE(WriteBytes(deep + L"\\" + name, "long"));
    VFindData data;
    ASSERT_TRUE(VPathStatus((deep + L"\\" + name).c_str(), data, false));
    EXPECT_EQ(name, ToStd(data.GetFilename()));
    EXPECT_EQ(deep + L"|x\\y\\", Split(deep + L"\\x\\y"));

    // The framework's file status holds the full name in MAX_PATH characters, so longer names have none.
    SetLastError(0);
    EXPECT_EQ(L"!" + deep + L"|" + name, Extract(deep + L"\\" + name));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), GetLastError());

    const std::wstring huge = std::wstring(40000, L'h');
    EXPECT_FALSE(VPathStatus((L"C:\\" + huge).c_str(), data, false) || GetLastError() == 0);
    EXPECT_EQ(L"C:\\|" + huge, Extract(L"C:\\" + huge)) << "its folder exists; the name is taken as it comes";
    EXPECT_TRUE(VIsPathWritable((L"C:\\" + huge + L"\\x").c_str())) << "its deepest existing folder is C:\\";
}
