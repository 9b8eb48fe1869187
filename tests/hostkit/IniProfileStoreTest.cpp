#include "core/VUnicodeString.h"
#include "harness/ScratchFolder.h"
#include "hostkit/IniProfileStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
class HostkitIniStore : public testing::Test
{
protected:
    std::unique_ptr<IProfileKeyBackend> OpenKey(const wchar_t* name)
    {
        std::unique_ptr<IProfileStoreBackend> store(factory->CreateStore());
        std::unique_ptr<IProfileKeyBackend> root(store->OpenRootKey(false));
        return std::unique_ptr<IProfileKeyBackend>(root->OpenSubKey(name, 0));
    }

    bool FileExists(const std::wstring& name) { return testkit::Exists(folder.Path(name)); }

    testkit::TempFolder folder;
    std::unique_ptr<VIniProfileStoreFactory> factory =
        std::make_unique<VIniProfileStoreFactory>(folder.Get().c_str());
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
