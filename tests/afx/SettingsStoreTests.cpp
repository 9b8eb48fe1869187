// CSettingsStore on the registry, and CSettingsStoreSP, which makes the store class the application
// registers.
#include "AfxTestSupport.h"

#include <afx.h>
#include <afxsettingsstore.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

// A value object stored as a blob.
class CSettingsTestPoint : public CObject
{
    DECLARE_SERIAL(CSettingsTestPoint)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_x << m_label;
        else
            ar >> m_x >> m_label;
    }
    int m_x = 0;
    CString m_label;
};
IMPLEMENT_SERIAL(CSettingsTestPoint, CObject, 1)

// A store class an application would register.
class CSettingsTestStore : public CSettingsStore
{
    DECLARE_DYNCREATE(CSettingsTestStore)
public:
    CSettingsTestStore() { ++s_nLive; }
    ~CSettingsTestStore() override { --s_nLive; }
    static int s_nLive;
};
IMPLEMENT_DYNCREATE(CSettingsTestStore, CSettingsStore)
int CSettingsTestStore::s_nLive = 0;

TEST(AfxSettingsStore, ValuesRoundTripThroughTheRegistryAndReadOnlyStoresRefuseChanges)
{
    CString path;
    path.Format(L"Software\\PardalinTests\\afx-settings-%lu", GetCurrentProcessId());
    const std::unique_ptr<const CString, void (*)(const CString*)> removed(
        &path, [](const CString* p) { RegDeleteTreeW(HKEY_CURRENT_USER, *p); });
    CSettingsTestPoint point;
    point.m_x = 42;
    point.m_label = L"pt";
    BYTE bytes[3] = {1, 0, 2};
    {
        CSettingsStore store(FALSE, FALSE);
        ASSERT_TRUE(store.CreateKey(path + L"\\Outer"));
        ASSERT_TRUE(store.CreateKey(L"Inner")); // relative to Outer
        EXPECT_TRUE(store.Write(L"int", -5));
        EXPECT_TRUE(store.Write(L"text", L"hello"));
        EXPECT_TRUE(store.Write(L"rect", CRect(1, -2, 30, 40)));
        EXPECT_TRUE(store.Write(L"bytes", bytes, 3));
        EXPECT_TRUE(store.Write(L"object", point));
    }
    CSettingsStore reader(FALSE, TRUE);
    ASSERT_TRUE(reader.Open(path + L"\\Outer\\Inner"));
    int i = 0;
    CString text;
    CRect rect;
    BYTE* data = nullptr;
    UINT size = 0;
    CSettingsTestPoint loaded;
    EXPECT_TRUE(reader.Read(L"int", i));
    EXPECT_TRUE(reader.Read(L"text", text));
    EXPECT_TRUE(reader.Read(L"rect", rect));
    EXPECT_TRUE(reader.Read(L"bytes", &data, &size));
    EXPECT_TRUE(reader.Read(L"object", loaded));
    EXPECT_EQ(-5, i);
    EXPECT_EQ(CString(L"hello"), text);
    EXPECT_EQ(CRect(1, -2, 30, 40), rect);
    ASSERT_EQ(3U, size);
    EXPECT_EQ(0, std::memcmp(bytes, data, 3));
    delete[] data;
    EXPECT_EQ(42, loaded.m_x);
    EXPECT_EQ(CString(L"pt"), loaded.m_label);
    // A value of another kind does not read, and leaves the output alone; a read-only store changes nothing.
    EXPECT_FALSE(reader.Read(L"text", i));
    EXPECT_EQ(-5, i);
    EXPECT_FALSE(reader.Write(L"int", 5));
    EXPECT_FALSE(reader.DeleteKey(path));

    CSettingsStore writer(FALSE, FALSE);
    EXPECT_TRUE(writer.DeleteKey(path)); // the whole tree
    EXPECT_FALSE(writer.Open(path + L"\\Outer"));
}

// The library's tests make their stores through the factory; what only they would not show is a refused
// class, and the store's lifetime.
TEST(AfxSettingsStoreSP, CreatesTheRegisteredClassOnceAndRefusesOthers)
{
    ASSERT_TRUE(CSettingsStoreSP::SetRuntimeClass(RUNTIME_CLASS(CSettingsTestStore)));
    EXPECT_FALSE(CSettingsStoreSP::SetRuntimeClass(RUNTIME_CLASS(CMemFile)));
    {
        CSettingsStoreSP factory(0x55);
        CSettingsStore& store = factory.Create(TRUE, TRUE);
        EXPECT_TRUE(store.IsKindOf(RUNTIME_CLASS(CSettingsTestStore)));
        EXPECT_EQ(&store, &factory.Create(FALSE, FALSE));
        EXPECT_EQ(1, CSettingsTestStore::s_nLive);
    }
    EXPECT_EQ(0, CSettingsTestStore::s_nLive);
    ASSERT_TRUE(CSettingsStoreSP::SetRuntimeClass(nullptr));
    CSettingsStoreSP factory;
    EXPECT_EQ(RUNTIME_CLASS(CSettingsStore), factory.Create(FALSE, FALSE).GetRuntimeClass());
}
