#include "core/VUnicodeString.h"
#include "harness/ScratchFolder.h"
#include "hostkit/IniProfileStore.h"
#include "hostkit/detail/ProfileFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
class HostkitIniStore : public testing::Test
{
protected:
    std::vector<std::wstring> FilesInFolder()
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE)
        {
            do
                if (wcscmp(found.cFileName, L".") != 0 && wcscmp(found.cFileName, L"..") != 0)
                    names.push_back(found.cFileName);
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        return names;
    }

    void WriteFile(const std::wstring& name, const std::string& bytes)
    {
        CreateDirectoryW(folder.c_str(), nullptr);
        HANDLE file = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        DWORD written = 0;
        ASSERT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        CloseHandle(file);
    }

    std::string ReadFile(const std::wstring& name)
    {
        std::string bytes;
        EXPECT_TRUE(pardalin::detail::ReadProfileFile(folder + L"\\" + name, bytes));
        return bytes;
    }

    std::unique_ptr<IProfileKeyBackend> OpenRoot()
    {
        std::unique_ptr<IProfileStoreBackend> store(factory->CreateStore());
        return std::unique_ptr<IProfileKeyBackend>(store->OpenRootKey(false));
    }

    static std::unique_ptr<IProfileKeyBackend> Sub(IProfileKeyBackend& key, const std::wstring& name)
    {
        return std::unique_ptr<IProfileKeyBackend>(key.OpenSubKey(name.c_str(), 0));
    }

    std::unique_ptr<IProfileKeyBackend> OpenKey(const wchar_t* name)
    {
        std::unique_ptr<IProfileStoreBackend> store(factory->CreateStore());
        std::unique_ptr<IProfileKeyBackend> root(store->OpenRootKey(false));
        return std::unique_ptr<IProfileKeyBackend>(root->OpenSubKey(name, 0));
    }

    bool FileExists(const std::wstring& name) { return testkit::Exists(folder + L"\\" + name); }

    testkit::TempFolder scratch;
    const std::wstring folder = scratch.Get();
    std::unique_ptr<VIniProfileStoreFactory> factory =
        std::make_unique<VIniProfileStoreFactory>(folder.c_str());
};
} // namespace

TEST_F(HostkitIniStore, KeyUnderTheRootIsItsOwnFile)
{
    auto key = OpenKey(L"DemoMenuToolbarV2");
    EXPECT_FALSE(FileExists(L"DemoMenuToolbarV2.ini")) << "opening writes nothing";
    key->WriteDword(L"MenuBar-Version", 3);
    EXPECT_TRUE(FileExists(L"DemoMenuToolbarV2.ini"));

    std::unique_ptr<IProfileKeyBackend> sub(key->OpenSubKey(L"Pane-1", 0));
    sub->WriteString(L"Name", L"Standard");
    EXPECT_FALSE(FileExists(L"Pane-1.ini")) << "a sub-key lives in its top key's file";
}

TEST_F(HostkitIniStore, ValuesComeBackByNameAndType)
{
    auto key = OpenKey(L"App");
    key->WriteDword(L"Count", 0xfffffffe);
    const wchar_t awkward[] = L"  a=b\\c\r\nsecond line [x] ;not a comment  ";
    key->WriteString(L"Text", awkward);
    key->WriteString(L"Empty", L"");
    const BYTE blob[] = {0x00, 0xff, 0x10, 0x0a, 0x0d};
    key->WriteBinary(L"Blob", blob, sizeof(blob));
    key->WriteBinary(L"NoBytes", blob, 0);

    // A fresh store reads what the first wrote.
    auto again = OpenKey(L"App");
    DWORD count = 0;
    EXPECT_TRUE(again->ReadDword(L"Count", &count));
    EXPECT_EQ(0xfffffffeu, count);

    VUnicodeString text;
    EXPECT_TRUE(again->ReadString(L"Text", &text));
    EXPECT_STREQ(awkward, text.GetString());
    EXPECT_TRUE(again->ReadString(L"Empty", &text));
    EXPECT_TRUE(text.IsEmpty());

    DWORD size = 0;
    EXPECT_TRUE(again->ReadBinary(L"Blob", nullptr, &size)) << "a null buffer asks for the size";
    EXPECT_EQ(sizeof(blob), size);
    BYTE read[8] = {};
    size = sizeof(read);
    EXPECT_TRUE(again->ReadBinary(L"Blob", read, &size));
    EXPECT_EQ(sizeof(blob), size);
    EXPECT_EQ(0, memcmp(blob, read, sizeof(blob)));
    size = 2;
    EXPECT_FALSE(again->ReadBinary(L"Blob", read, &size)) << "too small a buffer";
    EXPECT_EQ(sizeof(blob), size);
    size = sizeof(read);
    EXPECT_TRUE(again->ReadBinary(L"NoBytes", read, &size));
    EXPECT_EQ(0u, size);
}

TEST_F(HostkitIniStore, AbsentOrDifferentlyTypedValuesReadAsFalse)
{
    auto key = OpenKey(L"App");
    DWORD number = 7;
    VUnicodeString text(L"unchanged");
    DWORD size = 0;
    EXPECT_FALSE(key->ReadDword(L"Missing", &number));
    EXPECT_FALSE(key->ReadString(L"Missing", &text));
    EXPECT_FALSE(key->ReadBinary(L"Missing", nullptr, &size));

    key->WriteString(L"Name", L"12");
    EXPECT_FALSE(key->ReadDword(L"Name", &number)) << "a string is not a number";
    EXPECT_EQ(7u, number);
    key->WriteDword(L"Name", 12);
    EXPECT_FALSE(key->ReadString(L"Name", &text)) << "the newest write decides the type";
    EXPECT_STREQ(L"unchanged", text.GetString());
    EXPECT_TRUE(key->ReadDword(L"Name", &number));
    EXPECT_EQ(12u, number);
}

TEST_F(HostkitIniStore, SubKeysOutliveTheirStoreAndParent)
{
    IProfileKeyBackend* grandchild = nullptr;
    {
        std::unique_ptr<IProfileStoreBackend> store(factory->CreateStore());
        std::unique_ptr<IProfileKeyBackend> root(store->OpenRootKey(false));
        std::unique_ptr<IProfileKeyBackend> child(root->OpenSubKey(L"App", 0));
        grandchild = child->OpenSubKey(L"Workspace", 0);
    }
    grandchild->WriteDword(L"Left", 10);
    DWORD left = 0;
    EXPECT_TRUE(grandchild->ReadDword(L"Left", &left));
    EXPECT_EQ(10u, left);
    delete grandchild;

    auto app = OpenKey(L"App");
    std::unique_ptr<IProfileKeyBackend> workspace(app->OpenSubKey(L"Workspace", 0));
    EXPECT_TRUE(workspace->ReadDword(L"Left", &left));
    EXPECT_FALSE(app->ReadDword(L"Left", &left)) << "a parent does not see its sub-key's values";
}

TEST_F(HostkitIniStore, DeletingValuesAndSubKeys)
{
    auto key = OpenKey(L"App");
    std::unique_ptr<IProfileKeyBackend> a(key->OpenSubKey(L"A", 0));
    std::unique_ptr<IProfileKeyBackend> ab(a->OpenSubKey(L"B", 0));
    std::unique_ptr<IProfileKeyBackend> ab2(key->OpenSubKey(L"AB", 0));
    a->WriteDword(L"x", 1);
    ab->WriteDword(L"y", 2);
    ab2->WriteDword(L"z", 3);
    key->WriteDword(L"keep", 4);

    EXPECT_TRUE(key->DeleteValue(L"keep"));
    EXPECT_FALSE(key->DeleteValue(L"keep"));
    EXPECT_TRUE(key->DeleteSubKey(L"A"));
    DWORD value = 0;
    EXPECT_FALSE(a->ReadDword(L"x", &value));
    EXPECT_FALSE(ab->ReadDword(L"y", &value)) << "deleting a key takes its sub-keys";
    EXPECT_TRUE(ab2->ReadDword(L"z", &value)) << "a sibling whose name starts alike stays";
}

namespace
{
// Names and texts that a line-based file could lose or misread: line breaks, "=" and brackets, the escape
// and comment characters, spaces at the ends, surrogates without their pair, and the empty string.
const std::wstring AwkwardTexts[] = {
    L"",
    L"plain",
    L"line one\r\nline two\nthree\rfour",
    L"  spaces at both ends  ",
    L" ",
    L"a=b=c",
    L"=starts with equals",
    L"[section]",
    L"[",
    L"]",
    L"back\\slash\\",
    L"\\",
    L"100% and %0041 and %",
    L";not a comment",
    L"#not a comment either",
    L"tab\there\t",
    L"\x01\x1f\x7f",
    L"\xD800",
    L"lone \xDC00 low",
    L"high at end \xD83D",
    L"\xDC00\xD800 reversed pair",
    L"pair \xD83D\xDE00 kept",
    L"\xFEFF mark and \x00e9\x4e2d\x6587",
    L"\x2028\x2029\x0085",
};
} // namespace

TEST_F(HostkitIniStore, AwkwardNamesAndStringsRoundTrip)
{
    {
        auto root = OpenRoot();
        auto key = Sub(*root, L"App");
        for (size_t i = 0; i < std::size(AwkwardTexts); ++i)
        {
            const std::wstring& text = AwkwardTexts[i];
            key->WriteString(text.c_str(), text.c_str());
            // The same awkward text as a sub-key's name, holding a value of its own.
            auto sub = Sub(*key, L"Sub-" + text);
            sub->WriteDword(L"index", static_cast<DWORD>(i));
        }
    }
    auto root = OpenRoot();
    auto key = Sub(*root, L"App");
    for (size_t i = 0; i < std::size(AwkwardTexts); ++i)
    {
        const std::wstring& text = AwkwardTexts[i];
        VUnicodeString read;
        EXPECT_TRUE(key->ReadString(text.c_str(), &read)) << "text " << i;
        EXPECT_EQ(text, std::wstring(read.GetString(), static_cast<size_t>(read.GetLength())))
            << "text " << i;
        DWORD index = 0xdead;
        EXPECT_TRUE(Sub(*key, L"Sub-" + text)->ReadDword(L"index", &index)) << "text " << i;
        EXPECT_EQ(i, index) << "text " << i;
    }
    const std::vector<std::wstring> files = FilesInFolder();
    EXPECT_EQ(1u, files.size()) << "every sub-key lives in its top key's file";
}

TEST_F(HostkitIniStore, AwkwardKeyNamesUnderTheRootRoundTrip)
{
    // Names that a file name cannot hold as they are, or that the system would read as something else.
    const std::wstring names[] = {
        L"a:b",         L"a*b?",   L"\"q\"<>|",      L"a/b",
        L"back\\slash", L"CON",    L"con.txt",       L"Lpt1",
        L"NUL ",        L"(root)", L"trailing dot.", L"trailing space ",
        L" leading",    L"100%",   L"\xD800",        L"\x65e5\x672c",
        L".",           L"..",
    };
    {
        auto root = OpenRoot();
        root->WriteDword(L"in the root", 77);
        for (size_t i = 0; i < std::size(names); ++i)
            Sub(*root, names[i])->WriteDword(L"index", static_cast<DWORD>(i));
    }
    auto root = OpenRoot();
    DWORD number = 0;
    EXPECT_TRUE(root->ReadDword(L"in the root", &number));
    EXPECT_EQ(77u, number) << "the root's own values are apart from the key named (root)";
    for (size_t i = 0; i < std::size(names); ++i)
    {
        number = 0xdead;
        EXPECT_TRUE(Sub(*root, names[i])->ReadDword(L"index", &number)) << "key " << i;
        EXPECT_EQ(i, number) << "key " << i;
    }
    EXPECT_EQ(std::size(names) + 1, FilesInFolder().size()) << "one file per key and one for the root";
    EXPECT_TRUE(root->DeleteSubKey(L"con.txt"));
    EXPECT_FALSE(Sub(*root, L"CON.TXT")->ReadDword(L"index", &number));
    EXPECT_TRUE(Sub(*root, L"CON")->ReadDword(L"index", &number));
}

TEST_F(HostkitIniStore, BackslashIsPartOfAKeyName)
{
    auto root = OpenRoot();
    auto app = Sub(*root, L"App");
    Sub(*app, L"a\\b")->WriteDword(L"v", 1);
    Sub(*Sub(*app, L"a"), L"b")->WriteDword(L"v", 2);
    DWORD value = 0;
    EXPECT_TRUE(Sub(*app, L"a\\b")->ReadDword(L"v", &value));
    EXPECT_EQ(1u, value);
    EXPECT_TRUE(Sub(*Sub(*app, L"a"), L"b")->ReadDword(L"v", &value));
    EXPECT_EQ(2u, value);
    EXPECT_TRUE(app->DeleteSubKey(L"a"));
    EXPECT_TRUE(Sub(*app, L"a\\b")->ReadDword(L"v", &value)) << "not below the deleted key";
}

TEST_F(HostkitIniStore, NumbersAndBinariesOfEverySize)
{
    auto key = OpenKey(L"App");
    std::unique_ptr<IProfileKeyBackend> deep(key->OpenSubKey(L"1", 0));
    for (int depth = 2; depth <= 12; ++depth)
        deep.reset(deep->OpenSubKey(std::to_wstring(depth).c_str(), 0));
    const DWORD numbers[] = {0, 1, 0x7fffffff, 0x80000000, 0xffffffff};
    for (DWORD number : numbers)
        deep->WriteDword((L"n" + std::to_wstring(number)).c_str(), number);
    std::vector<BYTE> large(1 << 20);
    for (size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<BYTE>(i * 7 + (i >> 9));
    const size_t sizes[] = {0, 1, 255, 4096, large.size()};
    for (size_t size : sizes)
        deep->WriteBinary((L"b" + std::to_wstring(size)).c_str(), large.data(), static_cast<DWORD>(size));

    deep.reset(OpenKey(L"App")->OpenSubKey(L"1", 0));
    for (int depth = 2; depth <= 12; ++depth)
        deep.reset(deep->OpenSubKey(std::to_wstring(depth).c_str(), 0));
    for (DWORD number : numbers)
    {
        DWORD read = ~number;
        EXPECT_TRUE(deep->ReadDword((L"n" + std::to_wstring(number)).c_str(), &read));
        EXPECT_EQ(number, read);
    }
    for (size_t size : sizes)
    {
        const std::wstring name = L"b" + std::to_wstring(size);
        DWORD reported = 12345;
        EXPECT_TRUE(deep->ReadBinary(name.c_str(), nullptr, &reported)) << size;
        EXPECT_EQ(size, reported);
        std::vector<BYTE> read(size + 1, 0xAA);
        DWORD room = static_cast<DWORD>(read.size());
        EXPECT_TRUE(deep->ReadBinary(name.c_str(), read.data(), &room)) << size;
        EXPECT_EQ(size, room);
        EXPECT_TRUE(
            std::equal(large.begin(), large.begin() + static_cast<std::ptrdiff_t>(size), read.begin()))
            << size;
        EXPECT_EQ(0xAA, read[size]) << "nothing written past the value";
    }
}

TEST_F(HostkitIniStore, NamesCompareWithoutCaseAndKeepTheirFirstSpelling)
{
    {
        auto root = OpenRoot();
        auto app = Sub(*root, L"MyApp");
        app->WriteDword(L"Window-Left", 1);
        app->WriteDword(L"WINDOW-LEFT", 2);
        app->WriteString(L"\x00c4pfel", L"first");
        app->WriteString(L"\x00e4PFEL", L"second");
        Sub(*app, L"Pane")->WriteDword(L"x", 3);
        Sub(*app, L"PANE")->WriteDword(L"y", 4);
        Sub(*root, L"MYAPP")->WriteDword(L"z", 5);
    }
    auto root = OpenRoot();
    auto app = Sub(*root, L"myapp");
    DWORD number = 0;
    EXPECT_TRUE(app->ReadDword(L"window-left", &number));
    EXPECT_EQ(2u, number);
    VUnicodeString text;
    EXPECT_TRUE(app->ReadString(L"\x00c4PFEL", &text));
    EXPECT_STREQ(L"second", text.GetString());
    auto pane = Sub(*app, L"pAnE");
    EXPECT_TRUE(pane->ReadDword(L"x", &number));
    EXPECT_TRUE(pane->ReadDword(L"Y", &number));
    EXPECT_EQ(4u, number);
    EXPECT_TRUE(app->ReadDword(L"Z", &number));

    const std::vector<std::wstring> files = FilesInFolder();
    ASSERT_EQ(1u, files.size());
    EXPECT_EQ(L"MyApp.ini", files[0]);
    const std::string bytes = ReadFile(L"MyApp.ini");
    EXPECT_NE(std::string::npos, bytes.find("[MyApp]"));
    EXPECT_NE(std::string::npos, bytes.find("[MyApp\\Pane]"));
    EXPECT_NE(std::string::npos, bytes.find("Window-Left=dword:00000002"));
    EXPECT_NE(std::string::npos, bytes.find("\xC3\x84pfel=string:second"));
    EXPECT_EQ(std::string::npos, bytes.find("WINDOW-LEFT"));
    EXPECT_EQ(std::string::npos, bytes.find("PANE"));

    EXPECT_TRUE(app->DeleteValue(L"WINDOW-left"));
    EXPECT_FALSE(app->ReadDword(L"Window-Left", &number));
    EXPECT_TRUE(app->DeleteSubKey(L"PANE"));
    EXPECT_FALSE(pane->ReadDword(L"x", &number));
    EXPECT_TRUE(root->DeleteSubKey(L"MYAPP"));
    EXPECT_TRUE(FilesInFolder().empty());
}

TEST_F(HostkitIniStore, AbsentValuesReadAsFalseAndLeaveTheOutputAlone)
{
    auto root = OpenRoot();
    auto app = Sub(*root, L"App");
    app->WriteDword(L"Number", 1);
    app->WriteString(L"Text", L"t");
    const BYTE one = 1;
    app->WriteBinary(L"Bytes", &one, 1);
    Sub(*app, L"Sub")->WriteDword(L"Inner", 1);

    struct Case
    {
        std::unique_ptr<IProfileKeyBackend> key;
        const wchar_t* name;
        const char* what;
    };
    Case cases[] = {
        {Sub(*root, L"NoFile"), L"Number", "no file for the key"},
        {Sub(*app, L"NoKey"), L"Number", "no such sub-key in the file"},
        {Sub(*app, L"Sub"), L"Number", "the parent's value, seen from a sub-key"},
        {Sub(*app, L""), L"Inner", "the sub-key's value, seen from the parent"},
        {Sub(*app, L""), L"Missing", "no such name"},
        {Sub(*app, L""), L"Numbe", "a name's prefix"},
        {Sub(*app, L""), nullptr, "no name"},
    };
    for (Case& test : cases)
    {
        DWORD number = 0xfeed;
        VUnicodeString text(L"unchanged");
        BYTE data[4] = {9, 9, 9, 9};
        DWORD size = sizeof(data);
        EXPECT_FALSE(test.key->ReadDword(test.name, &number)) << test.what;
        EXPECT_FALSE(test.key->ReadString(test.name, &text)) << test.what;
        EXPECT_FALSE(test.key->ReadBinary(test.name, data, &size)) << test.what;
        EXPECT_FALSE(test.key->ReadBinary(test.name, nullptr, &size)) << test.what;
        EXPECT_EQ(0xfeedu, number) << test.what;
        EXPECT_STREQ(L"unchanged", text.GetString()) << test.what;
        EXPECT_EQ(sizeof(data), size) << test.what;
        EXPECT_EQ(9, data[0]) << test.what;
    }

    // A value of another type is absent to the reader of this type.
    DWORD number = 0xfeed;
    VUnicodeString text(L"unchanged");
    DWORD size = 7;
    EXPECT_FALSE(app->ReadDword(L"Text", &number));
    EXPECT_FALSE(app->ReadString(L"Bytes", &text));
    EXPECT_FALSE(app->ReadBinary(L"Number", nullptr, &size));
    EXPECT_EQ(0xfeedu, number);
    EXPECT_STREQ(L"unchanged", text.GetString());
    EXPECT_EQ(7u, size);
}

TEST_F(HostkitIniStore, DamagedFilesGiveWhatIsReadable)
{
    const std::string good = "[App]\r\nGood1=dword:00000001\r\nGood2=string:two\r\n";
    const std::string tail = "[App\\Sub]\r\nInner=dword:00000003\r\n[App]\r\nGood3=dword:3\r\n";
    std::string random(4096, '\0');
    std::uint32_t state = 12345;
    for (char& byte : random)
    {
        state = state * 1103515245 + 12345;
        byte = static_cast<char>(state >> 16);
    }
    struct Case
    {
        const char* what;
        std::string damage; // between the good lines and the tail
        std::vector<std::wstring> absent;
    };
    const Case cases[] = {
        {"nothing wrong", "", {}},
        {"random bytes", random + "\r\n", {}},
        {"a 1 MB line", std::string(1 << 20, 'x') + "\r\n", {}},
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
    for (const Case& test : cases)
    {
        WriteFile(L"App.ini", good + test.damage + tail);
        auto app = OpenKey(L"App");
        for (int pass = 0; pass < 2; ++pass)
        {
            const char* when = pass == 0 ? "as found" : "after the next write";
            DWORD number = 0;
            VUnicodeString text;
            EXPECT_TRUE(app->ReadDword(L"Good1", &number)) << test.what << ", " << when;
            EXPECT_EQ(1u, number) << test.what;
            EXPECT_TRUE(app->ReadString(L"Good2", &text)) << test.what << ", " << when;
            EXPECT_STREQ(L"two", text.GetString()) << test.what;
            EXPECT_TRUE(app->ReadDword(L"Good3", &number)) << test.what << ", " << when;
            EXPECT_EQ(3u, number) << test.what;
            EXPECT_TRUE(Sub(*app, L"Sub")->ReadDword(L"Inner", &number)) << test.what << ", " << when;
            for (const std::wstring& name : test.absent)
            {
                number = 0xfeed;
                EXPECT_FALSE(app->ReadDword(name.c_str(), &number)) << test.what << ": " << when;
                EXPECT_FALSE(app->ReadString(name.c_str(), &text)) << test.what << ": " << when;
                EXPECT_EQ(0xfeedu, number) << test.what;
            }
            if (test.damage.find("Spaced") != std::string::npos)
            {
                EXPECT_TRUE(app->ReadDword(L"Spaced", &number)) << test.what << ", " << when;
                EXPECT_EQ(0xffu, number) << test.what;
            }
            app->WriteDword(L"Added", 4);
        }
        DWORD added = 0;
        EXPECT_TRUE(app->ReadDword(L"Added", &added)) << test.what;
    }
}

TEST_F(HostkitIniStore, EmptyFileAndFilesOfNothingButNoise)
{
    const std::string files[] = {"",  "\r\n\r\n", "\xEF\xBB\xBF", "[",
                                 "]", "=",        "[]",           std::string(70000, '[')};
    for (const std::string& bytes : files)
    {
        WriteFile(L"App.ini", bytes);
        auto app = OpenKey(L"App");
        DWORD number = 0xfeed;
        EXPECT_FALSE(app->ReadDword(L"", &number));
        EXPECT_EQ(0xfeedu, number);
        app->WriteDword(L"", 5);
        EXPECT_TRUE(app->ReadDword(L"", &number)) << "the empty name is a name like any other";
        EXPECT_EQ(5u, number);
    }
    // A byte-order mark that an editor put in front.
    WriteFile(L"App.ini", "\xEF\xBB\xBF[App]\r\nMarked=dword:1\r\n");
    DWORD number = 0;
    EXPECT_TRUE(OpenKey(L"App")->ReadDword(L"Marked", &number));
}

TEST_F(HostkitIniStore, LeftoverTemporaryFileIsIgnoredAndReplaced)
{
    OpenKey(L"App")->WriteDword(L"Kept", 1);
    // What a writer killed before its rename leaves: a half-written temporary file.
    WriteFile(L"App.ini.tmp", "[App]\r\nKept=dword:00000002\r\nHalf=str");
    auto app = OpenKey(L"App");
    DWORD number = 0;
    EXPECT_TRUE(app->ReadDword(L"Kept", &number));
    EXPECT_EQ(1u, number);
    app->WriteDword(L"Next", 2);
    EXPECT_EQ(std::vector<std::wstring>{L"App.ini"}, FilesInFolder());
    EXPECT_TRUE(app->ReadDword(L"Kept", &number));
    EXPECT_EQ(1u, number);
}

TEST_F(HostkitIniStore, FailedWritesKeepTheOldFile)
{
    auto app = OpenKey(L"App");
    app->WriteDword(L"Kept", 1);
    const std::string before = ReadFile(L"App.ini");

    // The temporary file cannot be made: a folder stands in its place.
    ASSERT_TRUE(CreateDirectoryW((folder + L"\\App.ini.tmp").c_str(), nullptr));
    app->WriteDword(L"Lost", 2);
    EXPECT_EQ(before, ReadFile(L"App.ini"));
    ASSERT_TRUE(RemoveDirectoryW((folder + L"\\App.ini.tmp").c_str()));

    // The file cannot be read: a writer must not replace values it never saw.
    HANDLE exclusive = CreateFileW((folder + L"\\App.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, exclusive);
    app->WriteDword(L"Lost", 2);
    CloseHandle(exclusive);
    EXPECT_EQ(before, ReadFile(L"App.ini"));
    DWORD number = 0;
    EXPECT_TRUE(app->ReadDword(L"Kept", &number));
    EXPECT_FALSE(app->ReadDword(L"Lost", &number));
}

TEST_F(HostkitIniStore, OneLockPerFileHoweverThePathIsSpelled)
{
    using pardalin::detail::ProfileFileLock;
    const std::wstring path = folder + L"\\App.ini";
    EXPECT_EQ(ProfileFileLock::NameFor(path), ProfileFileLock::NameFor(folder + L"\\sub\\..\\APP.INI"));
    EXPECT_EQ(ProfileFileLock::NameFor(path), ProfileFileLock::NameFor(folder + L"/app.ini"));
    EXPECT_NE(ProfileFileLock::NameFor(path), ProfileFileLock::NameFor(folder + L"\\App2.ini"));
    EXPECT_NE(ProfileFileLock::NameFor(path), ProfileFileLock::NameFor(folder + L"x\\App.ini"));
}

TEST_F(HostkitIniStore, LockOfAWriterThatDiedIsTakenOver)
{
    using pardalin::detail::ProfileFileLock;
    const std::wstring path = folder + L"\\App.ini";
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
    EXPECT_TRUE(app->ReadDword(L"Kept", &number));
    EXPECT_TRUE(app->ReadDword(L"After", &number));
}

TEST_F(HostkitIniStore, ThreadsWritingOneFileKeepEachOthersValues)
{
    const int perThread = 50;
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back(
            [this, t]
            {
                auto key = OpenKey(L"App");
                for (int i = 0; i < perThread; ++i)
                    key->WriteDword((std::to_wstring(t) + L"-" + std::to_wstring(i)).c_str(),
                                    static_cast<DWORD>(i));
            });
    for (std::thread& writer : writers)
        writer.join();
    auto key = OpenKey(L"App");
    int found = 0;
    for (int t = 0; t < 4; ++t)
        for (int i = 0; i < perThread; ++i)
        {
            DWORD number = 0xfeed;
            found += key->ReadDword((std::to_wstring(t) + L"-" + std::to_wstring(i)).c_str(), &number) &&
                     number == static_cast<DWORD>(i);
        }
    EXPECT_EQ(4 * perThread, found);
}
