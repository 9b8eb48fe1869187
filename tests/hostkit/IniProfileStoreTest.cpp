#include "core/VUnicodeString.h"
#include "files/FileTestSupport.h"
#include "hostkit/IniProfileStore.h"
#include "hostkit/detail/ProfileFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
using Key = std::unique_ptr<IProfileKeyBackend>;

Key Sub(IProfileKeyBackend& key, const std::wstring& name)
{
    return Key(key.OpenSubKey(name.c_str(), 0));
}

class HostkitIniStore : public testing::Test
{
protected:
    std::vector<std::wstring> FilesInFolder() const
    {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().wstring());
        return names;
    }
    void WriteFile(const std::wstring& name, const std::string& bytes) const
    {
        ASSERT_TRUE(filetest::WriteBytes(folder + L"\\" + name, bytes));
    }
    std::string ReadFile(const std::wstring& name) const
    {
        return filetest::ReadBytes(folder + L"\\" + name);
    }

    // Keys outlive their store and parent, so the root's store can go at once.
    Key OpenRoot() const
    {
        std::unique_ptr<IProfileStoreBackend> store(factory.CreateStore());
        return Key(store->OpenRootKey(false));
    }
    Key OpenKey(const wchar_t* name) const { return Sub(*OpenRoot(), name); }

    testkit::TempFolder scratch;
    const std::wstring folder = scratch.Get();
    mutable VIniProfileStoreFactory factory{folder.c_str()};
};
} // namespace

TEST_F(HostkitIniStore, EachTopKeyIsAFileAndKeysOutliveTheirStoreAndParent)
{
    IProfileKeyBackend* pane = nullptr;
    {
        std::unique_ptr<IProfileStoreBackend> store(factory.CreateStore());
        Key root(store->OpenRootKey(false));
        pane = Sub(*root, L"DemoMenuToolbarV2")->OpenSubKey(L"Pane-1", 0);
    }
    const Key owned(pane);
    EXPECT_TRUE(FilesInFolder().empty()) << "opening writes nothing";
    pane->WriteString(L"Name", L"Standard");
    EXPECT_EQ(std::vector<std::wstring>{L"DemoMenuToolbarV2.ini"}, FilesInFolder())
        << "a sub-key lives in its top key's file";
    VUnicodeString text;
    EXPECT_TRUE(Sub(*OpenKey(L"DemoMenuToolbarV2"), L"Pane-1")->ReadString(L"Name", &text) &&
                text == L"Standard");
}

TEST_F(HostkitIniStore, DeletingAKeyTakesItsSubKeysButNotAKeyNamedAlike)
{
    Key app = OpenKey(L"App");
    Key a = Sub(*app, L"A"), ab = Sub(*a, L"B"), aPlusB = Sub(*app, L"AB"), backslash = Sub(*app, L"A\\B");
    a->WriteDword(L"x", 1);
    ab->WriteDword(L"y", 2);
    aPlusB->WriteDword(L"z", 3);
    backslash->WriteDword(L"v", 4); // a backslash is part of a key's name, not a path
    app->WriteDword(L"keep", 5);
    DWORD value = 0;
    EXPECT_FALSE(backslash->ReadDword(L"y", &value));
    EXPECT_TRUE(app->DeleteValue(L"keep"));
    EXPECT_FALSE(app->DeleteValue(L"keep"));
    EXPECT_TRUE(app->DeleteSubKey(L"A"));
    EXPECT_FALSE(a->ReadDword(L"x", &value));
    EXPECT_FALSE(ab->ReadDword(L"y", &value)) << "deleting a key takes its sub-keys";
    EXPECT_TRUE(aPlusB->ReadDword(L"z", &value));
    EXPECT_TRUE(backslash->ReadDword(L"v", &value));
}

// Names of top keys that a file name cannot hold as they are, or that the system would read as something
// else. Awkward texts and key names inside a file are the profile file fuzz test's.
TEST_F(HostkitIniStore, TopKeysWithAwkwardNamesEachHaveAFile)
{
    const std::wstring names[] = {
        L"a:b",          L"a*b?", L"\"q\"<>|", L"a/b",           L"back\\slash", L"CON",  L"con.txt",
        L"Lpt1",         L"NUL ", L"(root)",   L"trailing dot.", L" x ",         L"100%", L"\xD800",
        L"\x65e5\x672c", L".",    L".."};
    {
        const Key root = OpenRoot();
        root->WriteDword(L"in the root", 77);
        for (size_t i = 0; i < std::size(names); ++i)
            Sub(*root, names[i])->WriteDword(L"index", static_cast<DWORD>(i));
    }
    const Key root = OpenRoot();
    DWORD number = 0;
    EXPECT_TRUE(root->ReadDword(L"in the root", &number) && number == 77)
        << "the root's own values are apart from the key named (root)";
    for (size_t i = 0; i < std::size(names); ++i)
        EXPECT_TRUE(Sub(*root, names[i])->ReadDword(L"index", &number) && number == i) << "key " << i;
    EXPECT_EQ(std::size(names) + 1, FilesInFolder().size()) << "one file per top key and one for the root";
    EXPECT_TRUE(root->DeleteSubKey(L"con.txt"));
    EXPECT_FALSE(Sub(*root, L"CON.TXT")->ReadDword(L"index", &number));
    EXPECT_TRUE(Sub(*root, L"CON")->ReadDword(L"index", &number));
}

// DWORD values of every size are checked against the file form by the profile file fuzz test.
TEST_F(HostkitIniStore, BinariesOfEverySizeComeBackDeepDown)
{
    Key deep = OpenKey(L"App");
    for (int depth = 1; depth <= 12; ++depth)
        deep = Sub(*deep, std::to_wstring(depth));
    std::vector<BYTE> large(1 << 20);
    for (size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<BYTE>(i * 7 + (i >> 9));
    for (size_t size : {size_t(0), size_t(1), size_t(5), size_t(4096), large.size()})
    {
        SCOPED_TRACE(size);
        const std::wstring name = L"b" + std::to_wstring(size);
        deep->WriteBinary(name.c_str(), large.data(), static_cast<DWORD>(size));
        DWORD reported = 12345;
        EXPECT_TRUE(deep->ReadBinary(name.c_str(), nullptr, &reported)) << "a null buffer asks for the size";
        EXPECT_EQ(size, reported);
        std::vector<BYTE> read(size + 1, 0xAA);
        DWORD room = static_cast<DWORD>(size / 2);
        EXPECT_EQ(size == 0, deep->ReadBinary(name.c_str(), read.data(), &room)) << "too small a buffer";
        EXPECT_EQ(size, room);
        room = static_cast<DWORD>(read.size());
        EXPECT_TRUE(deep->ReadBinary(name.c_str(), read.data(), &room));
        EXPECT_EQ(size, room);
        EXPECT_TRUE(
            std::equal(large.begin(), large.begin() + static_cast<std::ptrdiff_t>(size), read.begin()));
        EXPECT_EQ(0xAA, read[size]) << "nothing written past the value";
    }
}

TEST_F(HostkitIniStore, NamesCompareWithoutCaseAndKeepTheirFirstSpelling)
{
    const Key root = OpenRoot(), first = Sub(*root, L"MyApp"), app = Sub(*root, L"myapp");
    first->WriteDword(L"Window-Left", 1);
    first->WriteDword(L"WINDOW-LEFT", 2);
    first->WriteString(L"\x00c4pfel", L"first");
    first->WriteString(L"\x00e4PFEL", L"second");
    Sub(*first, L"Pane")->WriteDword(L"x", 3);
    Sub(*first, L"PANE")->WriteDword(L"y", 4);
    Sub(*root, L"MYAPP")->WriteDword(L"z", 5);
    DWORD number = 0;
    EXPECT_TRUE(app->ReadDword(L"window-left", &number) && number == 2);
    VUnicodeString text;
    EXPECT_TRUE(app->ReadString(L"\x00c4PFEL", &text) && text == L"second");
    auto pane = Sub(*app, L"pAnE");
    EXPECT_TRUE(pane->ReadDword(L"x", &number));
    EXPECT_TRUE(pane->ReadDword(L"Y", &number) && number == 4);
    EXPECT_TRUE(app->ReadDword(L"Z", &number));

    EXPECT_EQ(std::vector<std::wstring>{L"MyApp.ini"}, FilesInFolder());
    const std::string bytes = ReadFile(L"MyApp.ini");
    for (const char* kept :
         {"[MyApp]", "[MyApp\\Pane]", "Window-Left=dword:00000002", "\xC3\x84pfel=string:second"})
        EXPECT_NE(std::string::npos, bytes.find(kept)) << kept;
    for (const char* lost : {"WINDOW-LEFT", "PANE"})
        EXPECT_EQ(std::string::npos, bytes.find(lost)) << lost;

    EXPECT_TRUE(app->DeleteValue(L"WINDOW-left") && app->DeleteSubKey(L"PANE"));
    EXPECT_FALSE(app->ReadDword(L"Window-Left", &number));
    EXPECT_FALSE(pane->ReadDword(L"x", &number));
    EXPECT_TRUE(root->DeleteSubKey(L"MYAPP"));
    EXPECT_TRUE(FilesInFolder().empty());
}

TEST_F(HostkitIniStore, AbsentValuesReadAsFalseAndLeaveTheOutputAlone)
{
    const Key root = OpenRoot(), app = Sub(*root, L"App");
    app->WriteDword(L"Number", 1);
    app->WriteString(L"Text", L"t");
    const BYTE one = 1;
    app->WriteBinary(L"Bytes", &one, 1);
    Sub(*app, L"Sub")->WriteDword(L"Inner", 1);

    struct
    {
        Key key;
        const wchar_t* name;
        const char* what;
    } cases[] = {
        {Sub(*root, L"NoFile"), L"Number", "no file for the key"},
        {Sub(*app, L"NoKey"), L"Number", "no such sub-key in the file"},
        {Sub(*app, L"Sub"), L"Number", "the parent's value, seen from a sub-key"},
        {Sub(*app, L""), L"Inner", "the sub-key's value, seen from the parent"},
        {Sub(*app, L""), L"Missing", "no such name"},
        {Sub(*app, L""), L"Numbe", "a name's prefix"},
        {Sub(*app, L""), nullptr, "no name"},
    };
    for (const auto& test : cases)
    {
        SCOPED_TRACE(test.what);
        DWORD number = 0xfeed;
        VUnicodeString text(L"unchanged");
        BYTE data[4] = {9, 9, 9, 9};
        DWORD size = sizeof(data);
        EXPECT_FALSE(test.key->ReadDword(test.name, &number) || test.key->ReadString(test.name, &text) ||
                     test.key->ReadBinary(test.name, data, &size) ||
                     test.key->ReadBinary(test.name, nullptr, &size));
        EXPECT_TRUE(number == 0xfeed && text == L"unchanged" && size == sizeof(data) && data[0] == 9);
    }

    // A value of another type is absent to the reader of this type; the newest write decides the type.
    app->WriteString(L"Number", L"12");
    DWORD number = 0xfeed, size = 7;
    VUnicodeString text(L"unchanged");
    EXPECT_FALSE(app->ReadDword(L"Number", &number) || app->ReadString(L"Bytes", &text) ||
                 app->ReadBinary(L"Text", nullptr, &size));
    EXPECT_TRUE(number == 0xfeed && text == L"unchanged" && size == 7);
}

TEST_F(HostkitIniStore, DamagedFilesGiveWhatIsReadable)
{
    const std::string good = "[App]\r\nGood1=dword:00000001\r\nGood2=string:two\r\n";
    const std::string tail = "[App\\Sub]\r\nInner=dword:00000003\r\n[App]\r\nGood3=dword:3\r\n";
    const struct
    {
        const char* what;
        std::string damage; // between the good lines and the tail
        std::vector<std::wstring> absent;
    } cases[] = {
        {"nothing wrong", "", {}},
        {"a 1 MB line of equals signs", "\r\n" + std::string(1 << 20, '=') + "\n", {}},
        {"NUL bytes", std::string(100, '\0') + "\r\n", {}},
        {"no equals sign", "Bad dword:00000009\r\n", {L"Bad", L"Bad dword:00000009"}},
        {"invalid UTF-8",
         "Bad=string:\xC3\x28\r\nBad2=string:\xED\xA0\x80\r\nBad3=string:\xC0\xAF\r\n",
         {L"Bad", L"Bad2", L"Bad3"}},
        {"bad hex",
         "Bad=binary:0g\r\nBad2=binary:abc\r\nBad3=dword:123456789\r\nBad4=dword:\r\n",
         {L"Bad", L"Bad2", L"Bad3", L"Bad4"}},
        {"bad escapes", "Bad=string:%00\r\nBad%zz=dword:1\r\nBad2=string:%12G4\r\n", {L"Bad", L"Bad2"}},
        {"unknown type", "Bad=qword:1\r\nBad2=String:x\r\nBad3=\r\n", {L"Bad", L"Bad2", L"Bad3"}},
        {"broken path lines",
         "[App\xFF]\r\nBad=dword:1\r\n[App\r\nBad2=dword:1\r\n[App\\\\x]\r\nBad3=dword:1\r\n",
         {L"Bad", L"Bad2", L"Bad3"}},
        {"another key's section", "[Other]\r\nBad=dword:1\r\n", {L"Bad"}},
        {"comments and hand-made spacing",
         "; Bad=dword:1\r\n# Bad2=dword:1\r\n  Spaced  =  dword:ff  \r\n",
         {L"Bad", L"Bad2", L"; Bad", L"# Bad2"}},
        {"lone CR and LF line ends", "\rSpaced=dword:ff\r\rBad=dword:\n\n", {L"Bad"}},
    };
    for (const auto& test : cases)
    {
        WriteFile(L"App.ini", good + test.damage + tail);
        const Key app = OpenKey(L"App");
        for (const char* when : {"as found", "after the next write"})
        {
            SCOPED_TRACE(testing::Message() << test.what << ", " << when);
            DWORD number = 0;
            VUnicodeString text;
            EXPECT_TRUE(app->ReadDword(L"Good1", &number) && number == 1);
            EXPECT_TRUE(app->ReadString(L"Good2", &text) && text == L"two");
            EXPECT_TRUE(app->ReadDword(L"Good3", &number) && number == 3);
            EXPECT_TRUE(Sub(*app, L"Sub")->ReadDword(L"Inner", &number));
            for (const std::wstring& name : test.absent)
                EXPECT_FALSE(app->ReadDword(name.c_str(), &number) || app->ReadString(name.c_str(), &text))
                    << name;
            const bool spaced = test.damage.find("Spaced") != std::string::npos;
            EXPECT_TRUE(!spaced || (app->ReadDword(L"Spaced", &number) && number == 0xff));
            app->WriteDword(L"Added", 4);
        }
        DWORD added = 0;
        EXPECT_TRUE(app->ReadDword(L"Added", &added));
    }
}

TEST_F(HostkitIniStore, EmptyFilesAndAByteOrderMarkInFront)
{
    for (const std::string& bytes : {std::string(), std::string("\xEF\xBB\xBF"), std::string(70000, '[')})
    {
        WriteFile(L"App.ini", bytes);
        const Key app = OpenKey(L"App");
        DWORD number = 0xfeed;
        EXPECT_FALSE(app->ReadDword(L"", &number) || number != 0xfeed);
        app->WriteDword(L"", 5);
        EXPECT_TRUE(app->ReadDword(L"", &number) && number == 5) << "the empty name is a name like any other";
    }
    // A byte-order mark that an editor put in front.
    WriteFile(L"App.ini", "\xEF\xBB\xBF[App]\r\nMarked=dword:1\r\n");
    DWORD number = 0;
    EXPECT_TRUE(OpenKey(L"App")->ReadDword(L"Marked", &number));
}

TEST_F(HostkitIniStore, FailedWritesKeepTheOldFileAndALeftoverTemporaryFileIsReplaced)
{
    const Key app = OpenKey(L"App");
    app->WriteDword(L"Kept", 1);
    const std::string before = ReadFile(L"App.ini");
    const std::wstring temporary = folder + L"\\App.ini.tmp";

    // The temporary file cannot be made: a folder stands in its place.
    ASSERT_TRUE(CreateDirectoryW(temporary.c_str(), nullptr));
    app->WriteDword(L"Lost", 2);
    EXPECT_EQ(before, ReadFile(L"App.ini"));
    ASSERT_TRUE(RemoveDirectoryW(temporary.c_str()));

    // The file cannot be read: a writer must not replace values it never saw.
    const HANDLE exclusive =
        CreateFileW((folder + L"\\App.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, exclusive);
    app->WriteDword(L"Lost", 2);
    CloseHandle(exclusive);
    EXPECT_EQ(before, ReadFile(L"App.ini"));

    // What a writer killed before its rename leaves, a half-written temporary file, is neither read nor kept.
    WriteFile(L"App.ini.tmp", "[App]\r\nKept=dword:00000002\r\nHalf=str");
    DWORD number = 0;
    EXPECT_TRUE(app->ReadDword(L"Kept", &number) && number == 1);
    app->WriteDword(L"Next", 2);
    EXPECT_EQ(std::vector<std::wstring>{L"App.ini"}, FilesInFolder());
    EXPECT_TRUE(app->ReadDword(L"Kept", &number) && number == 1);
    EXPECT_FALSE(app->ReadDword(L"Lost", &number));
}

TEST_F(HostkitIniStore, OneLockPerFileHoweverSpelledAndTheLockOfAWriterThatDiedIsTakenOver)
{
    using pardalin::detail::ProfileFileLock;
    const std::wstring path = folder + L"\\App.ini";
    EXPECT_EQ(ProfileFileLock::NameFor(path), ProfileFileLock::NameFor(folder + L"\\sub\\..\\APP.INI"));
    EXPECT_EQ(ProfileFileLock::NameFor(path), ProfileFileLock::NameFor(folder + L"/app.ini"));
    EXPECT_NE(ProfileFileLock::NameFor(path), ProfileFileLock::NameFor(folder + L"\\App2.ini"));
    EXPECT_NE(ProfileFileLock::NameFor(path), ProfileFileLock::NameFor(folder + L"x\\App.ini"));

    OpenKey(L"App")->WriteDword(L"Kept", 1);
    // A thread that ends holding the lock abandons it, as a killed process does.
    std::thread([&path] { new ProfileFileLock(path); }).join();
    {
        ProfileFileLock lock(path);
        EXPECT_TRUE(lock.Held());
        EXPECT_TRUE(lock.TookOverAbandoned());
    }
    std::thread([&path] { new ProfileFileLock(path); }).join();
    auto app = OpenKey(L"App");
    app->WriteDword(L"After", 2);
    DWORD number = 0;
    EXPECT_TRUE(app->ReadDword(L"Kept", &number) && app->ReadDword(L"After", &number));
}
