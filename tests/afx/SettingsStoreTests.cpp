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
    CSettingsTestPoint() { ++s_nLive; }
    ~CSettingsTestPoint() override { --s_nLive; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_x << m_label;
        else
            ar >> m_x >> m_label;
    }
    int m_x = 0;
    CString m_label;
    static int s_nLive;
};
IMPLEMENT_SERIAL(CSettingsTestPoint, CObject, 1)
int CSettingsTestPoint::s_nLive = 0;

// A store class an application would register: it records the keys it is asked to create.
class CSettingsTestStore : public CSettingsStore
{
    DECLARE_DYNCREATE(CSettingsTestStore)
public:
    CSettingsTestStore() { ++s_nLive; }
    ~CSettingsTestStore() override { --s_nLive; }
    BOOL CreateKey(LPCTSTR lpszPath) override
    {
        m_strCreated = lpszPath;
        return TRUE;
    }
    BOOL IsAdmin() const { return m_bAdmin; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    DWORD UserData() const { return m_dwUserData; }
    CString m_strCreated;
    static int s_nLive;
};
IMPLEMENT_DYNCREATE(CSettingsTestStore, CSettingsStore)
int CSettingsTestStore::s_nLive = 0;

namespace
{
// A key of its own under HKEY_CURRENT_USER for each test, deleted afterwards.
class AfxSettingsStore : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static int counter = 0;
        m_path.Format(L"Software\\PardalinTests\\afx-settings-%lu-%d", GetCurrentProcessId(), ++counter);
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, m_path); }

    // The registry type of a value under the test key; REG_NONE when it is missing.
    DWORD TypeOf(LPCTSTR lpszPath, LPCTSTR lpszValue) const
    {
        DWORD type = REG_NONE;
        if (RegGetValueW(HKEY_CURRENT_USER, m_path + L"\\" + lpszPath, lpszValue, RRF_RT_ANY, &type, nullptr,
                         nullptr) != ERROR_SUCCESS)
            return REG_NONE;
        return type;
    }

    CString m_path;
};
} // namespace

TEST_F(AfxSettingsStore, EachValueKindRoundTripsInItsRegistryType)
{
    CSettingsTestPoint point;
    point.m_x = 42;
    point.m_label = L"pt";
    BYTE bytes[3] = {1, 0, 2};
    {
        CSettingsStore store(FALSE, FALSE);
        ASSERT_TRUE(store.CreateKey(m_path + L"\\Values"));
        EXPECT_TRUE(store.Write(L"int", -5));
        EXPECT_TRUE(store.Write(L"dword", DWORD(0xFFFFFFF0)));
        EXPECT_TRUE(store.Write(L"text", L"hello"));
        EXPECT_TRUE(store.Write(L"rect", CRect(1, -2, 30, 40)));
        EXPECT_TRUE(store.Write(L"bytes", bytes, 3));
        EXPECT_TRUE(store.Write(L"object", point));
        EXPECT_TRUE(store.Write(L"pointer", static_cast<CObject*>(&point)));
    }
    const struct
    {
        LPCTSTR name;
        DWORD type;
    } types[] = {{L"int", REG_DWORD},     {L"dword", REG_DWORD},  {L"text", REG_SZ},
                 {L"rect", REG_BINARY},   {L"bytes", REG_BINARY}, {L"object", REG_BINARY},
                 {L"pointer", REG_BINARY}};
    for (const auto& t : types)
        EXPECT_EQ(t.type, TypeOf(L"Values", t.name)) << t.name;

    CSettingsStore store(FALSE, TRUE);
    ASSERT_TRUE(store.Open(m_path + L"\\Values"));
    int i = 0;
    DWORD dw = 0;
    CString text;
    CRect rect;
    BYTE* data = nullptr;
    UINT size = 0;
    CSettingsTestPoint loaded;
    CObject* pCreated = nullptr;
    const int nLiveBefore = CSettingsTestPoint::s_nLive;
    EXPECT_TRUE(store.Read(L"int", i));
    EXPECT_TRUE(store.Read(L"dword", dw));
    EXPECT_TRUE(store.Read(L"text", text));
    EXPECT_TRUE(store.Read(L"rect", rect));
    EXPECT_TRUE(store.Read(L"bytes", &data, &size));
    EXPECT_TRUE(store.Read(L"object", loaded));
    EXPECT_TRUE(store.Read(L"pointer", pCreated));
    EXPECT_EQ(-5, i);
    EXPECT_EQ(0xFFFFFFF0UL, dw);
    EXPECT_EQ(CString(L"hello"), text);
    EXPECT_EQ(CRect(1, -2, 30, 40), rect);
    ASSERT_EQ(3U, size);
    EXPECT_EQ(0, std::memcmp(bytes, data, 3));
    delete[] data;
    EXPECT_EQ(42, loaded.m_x);
    EXPECT_EQ(CString(L"pt"), loaded.m_label);
    const std::unique_ptr<CObject> created(pCreated);
    auto* pPoint = DYNAMIC_DOWNCAST(CSettingsTestPoint, pCreated);
    ASSERT_NE(nullptr, pPoint);
    EXPECT_EQ(42, pPoint->m_x);
    EXPECT_EQ(nLiveBefore + 1, CSettingsTestPoint::s_nLive);
}

TEST_F(AfxSettingsStore, FailedReadsLeaveTheirOutputsAlone)
{
    CSettingsStore store(FALSE, FALSE);
    ASSERT_TRUE(store.CreateKey(m_path));
    ASSERT_TRUE(store.Write(L"text", L"not a number"));
    // An object record of a class nobody registered, whose bytes also end too soon for a point.
    BYTE garbage[] = {0xFF, 0xFF, 0x01, 0x00, 0x20, 0x00, 'C', 'N', 'o', 'n', 'e'};
    ASSERT_TRUE(store.Write(L"garbage", garbage, sizeof garbage));
    BYTE cut[] = {0xFF, 0xFF, 0x01};
    ASSERT_TRUE(store.Write(L"cut", cut, sizeof cut));

    const int nLiveBefore = CSettingsTestPoint::s_nLive;
    for (LPCTSTR name : {L"missing", L"text", L"garbage", L"cut"})
    {
        int i = 7;
        CRect rect(1, 2, 3, 4);
        CSettingsTestPoint point;
        CObject* pObject = &point;
        EXPECT_FALSE(store.Read(name, i)) << name;
        EXPECT_EQ(7, i) << name;
        EXPECT_FALSE(store.Read(name, rect)) << name;
        EXPECT_EQ(CRect(1, 2, 3, 4), rect) << name;
        EXPECT_FALSE(store.Read(name, pObject)) << name;
        EXPECT_EQ(&point, pObject) << name;
        EXPECT_FALSE(store.Read(name, point)) << name;
        EXPECT_EQ(nLiveBefore + 1, CSettingsTestPoint::s_nLive) << name;
        if (CString(name) != L"text")
        {
            CString text(L"kept");
            EXPECT_FALSE(store.Read(name, text)) << name;
            EXPECT_EQ(CString(L"kept"), text) << name;
        }
    }
}

TEST_F(AfxSettingsStore, KeysNestReadOnlyStoresRefuseChangesAndDeleteKeyTakesTheTree)
{
    {
        CSettingsStore store(FALSE, FALSE);
        ASSERT_TRUE(store.CreateKey(m_path));
        ASSERT_TRUE(store.CreateKey(L"Outer"));
        ASSERT_TRUE(store.CreateKey(L"Inner")); // relative to Outer
        EXPECT_TRUE(store.Write(L"deep", 1));
        store.Close();
        EXPECT_FALSE(store.Open(L"Inner")); // back at the root, where there is no Inner
        EXPECT_TRUE(store.Open(m_path + L"\\Outer\\Inner"));
        EXPECT_TRUE(store.Write(L"gone", 2));
        EXPECT_TRUE(store.DeleteValue(L"gone"));
    }
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), TypeOf(L"Outer\\Inner", L"deep"));
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), TypeOf(L"Outer\\Inner", L"gone"));

    CSettingsStore reader(FALSE, TRUE);
    EXPECT_FALSE(reader.CreateKey(m_path + L"\\New"));
    ASSERT_TRUE(reader.Open(m_path + L"\\Outer\\Inner"));
    int value = 0;
    EXPECT_TRUE(reader.Read(L"deep", value));
    EXPECT_EQ(1, value);
    EXPECT_FALSE(reader.Write(L"deep", 5));
    EXPECT_FALSE(reader.Write(L"text", L"x"));
    EXPECT_FALSE(reader.DeleteValue(L"deep"));
    EXPECT_FALSE(reader.DeleteKey(m_path + L"\\Outer"));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), TypeOf(L"Outer\\Inner", L"deep"));

    CSettingsStore writer(FALSE, FALSE);
    EXPECT_TRUE(writer.DeleteKey(m_path + L"\\Outer"));
    EXPECT_FALSE(writer.Open(m_path + L"\\Outer"));
}

TEST(AfxSettingsStoreSP, CreatesTheRegisteredClassAndRefusesOthers)
{
    ASSERT_TRUE(CSettingsStoreSP::SetRuntimeClass(RUNTIME_CLASS(CSettingsTestStore)));
    EXPECT_FALSE(CSettingsStoreSP::SetRuntimeClass(RUNTIME_CLASS(CMemFile)));
    {
        CSettingsStoreSP factory(0x55);
        CSettingsStore& store = factory.Create(TRUE, TRUE);
        auto* pTestStore = DYNAMIC_DOWNCAST(CSettingsTestStore, &store);
        ASSERT_NE(nullptr, pTestStore); // the refused class did not replace the registered one
        EXPECT_EQ(&store, &factory.Create(FALSE, FALSE));
        EXPECT_TRUE(store.CreateKey(L"Through\\The\\Override"));
        EXPECT_EQ(CString(L"Through\\The\\Override"), pTestStore->m_strCreated);
        EXPECT_TRUE(pTestStore->IsAdmin());
        EXPECT_TRUE(pTestStore->IsReadOnly());
        EXPECT_EQ(0x55UL, pTestStore->UserData());
        EXPECT_EQ(1, CSettingsTestStore::s_nLive);
    }
    EXPECT_EQ(0, CSettingsTestStore::s_nLive);

    ASSERT_TRUE(CSettingsStoreSP::SetRuntimeClass(nullptr));
    CSettingsStoreSP factory;
    EXPECT_EQ(RUNTIME_CLASS(CSettingsStore), factory.Create(FALSE, FALSE).GetRuntimeClass());
}
