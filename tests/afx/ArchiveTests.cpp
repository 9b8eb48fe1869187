// CArchive over CMemFile: values, strings and object graphs in MFC's bytes, and archives that are damaged.
#include "AfxTestSupport.h"

#include <afx.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

// A node of an object graph; m_pNext is a plain reference (not owned), so graphs may share and cycle.
class CArchiveTestNode : public CObject
{
    DECLARE_SERIAL(CArchiveTestNode)
public:
    CArchiveTestNode() { ++s_nLive; }
    ~CArchiveTestNode() override { --s_nLive; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nValue << m_pNext;
        else
            ar >> m_nValue >> m_pNext;
    }
    int m_nValue = 0;
    CArchiveTestNode* m_pNext = nullptr;
    static int s_nLive;
};
IMPLEMENT_SERIAL(CArchiveTestNode, CObject, 1)
int CArchiveTestNode::s_nLive = 0;

// A class that reads older versions of itself and remembers which one it read.
class CArchiveTestVersioned : public CObject
{
    DECLARE_SERIAL(CArchiveTestVersioned)
public:
    void Serialize(CArchive& ar) override { m_nLoadedSchema = ar.IsLoading() ? ar.GetObjectSchema() : 0; }
    UINT m_nLoadedSchema = 0;
};
IMPLEMENT_SERIAL(CArchiveTestVersioned, CObject, 3 | VERSIONABLE_SCHEMA)

namespace
{
using Bytes = std::vector<BYTE>;

Bytes Concat(Bytes bytes, const Bytes& more)
{
    bytes.insert(bytes.end(), more.begin(), more.end());
    return bytes;
}

Bytes ClassRecord(WORD wSchema, const char* name)
{
    const auto nLength = static_cast<BYTE>(std::strlen(name));
    const Bytes header = {0xFF,    0xFF, static_cast<BYTE>(wSchema), static_cast<BYTE>(wSchema >> 8),
                          nLength, 0};
    return Concat(header, Bytes(name, name + nLength));
}

// Runs `store` on a store archive over a memory file and returns the bytes it produced.
Bytes Stored(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    const auto nLength = static_cast<size_t>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes(data, data + nLength);
    std::free(data);
    return bytes;
}

// Runs `load` on a load archive over a copy of the bytes.
void Load(Bytes bytes, const std::function<void(CArchive&)>& load)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    load(ar);
}

// The cause of the CArchiveException that `f` throws; -1 for none, -2 for another framework exception.
int ArchiveCauseOf(const std::function<void()>& f)
{
    try
    {
        f();
        return -1;
    }
    catch (CException* e)
    {
        const auto* pArchive = DYNAMIC_DOWNCAST(CArchiveException, e);
        const int cause = pArchive != nullptr ? pArchive->m_cause : -2;
        e->Delete();
        return cause;
    }
}

// Stores `value` alone, checks the size it took, and loads it back with the same operator.
template <class T> void ExpectRoundTrip(const T& value, size_t nSize)
{
    SCOPED_TRACE(testing::Message() << typeid(T).name() << " of " << nSize << " bytes");
    const Bytes bytes = Stored([&](CArchive& ar) { ar << value; });
    EXPECT_EQ(nSize, bytes.size());
    T loaded{};
    Load(bytes,
         [&](CArchive& ar)
         {
             ar >> loaded;
             EXPECT_TRUE(ar.IsBufferEmpty());
         });
    EXPECT_EQ(value, loaded);
}
} // namespace

TEST(AfxArchive, EveryValueKindRoundTripsAtItsStoredSize)
{
    ExpectRoundTrip(BYTE(0xAB), 1);
    ExpectRoundTrip(WORD(0xBEEF), 2);
    ExpectRoundTrip(DWORD(0xDEADBEEF), 4);
    ExpectRoundTrip(-123456, 4);
    ExpectRoundTrip('c', 1);
    ExpectRoundTrip(L'\x20AC', 2);
    ExpectRoundTrip(true, 1);
    ExpectRoundTrip(1.5f, 4);
    ExpectRoundTrip(-2.25, 8);
    ExpectRoundTrip(LONGLONG(-1234567890123LL), 8);
    ExpectRoundTrip(ULONGLONG(0xFEDCBA9876543210ULL), 8);
    // Each string's length prefix and width marker as MFC writes them.
    ExpectRoundTrip(CString(), 3 + 1);
    ExpectRoundTrip(CString(L"wide"), 3 + 1 + 8);
    ExpectRoundTrip(CStringA("narrow"), 1 + 6);
    ExpectRoundTrip(CString(L'\x263A', 300), 3 + 3 + 600);
    ExpectRoundTrip(CStringA('n', 70000), 1 + 2 + 4 + 70000);
}

TEST(AfxArchive, StringsLoadIntoEitherWidth)
{
    // Narrow and wide records of the same text, in MFC's exact bytes.
    const Bytes narrow = {0x02, 'o', 'k'};
    const Bytes wide = {0xFF, 0xFE, 0xFF, 0x02, 'o', 0, 'k', 0};
    EXPECT_EQ(narrow, Stored([](CArchive& ar) { ar << CStringA("ok"); }));
    EXPECT_EQ(wide, Stored([](CArchive& ar) { ar << CStringW(L"ok"); }));
    for (const Bytes& record : {narrow, wide})
    {
        CStringA asNarrow;
        CStringW asWide;
        Load(record, [&](CArchive& ar) { ar >> asNarrow; });
        Load(record, [&](CArchive& ar) { ar >> asWide; });
        EXPECT_EQ(CStringA("ok"), asNarrow);
        EXPECT_EQ(CStringW(L"ok"), asWide);
    }
}

TEST(AfxArchive, SharedAndCyclicReferencesLoadAsTheSameObjects)
{
    CArchiveTestNode first, second;
    first.m_nValue = 1;
    first.m_pNext = &second;
    second.m_nValue = 2;
    second.m_pNext = &first;
    const Bytes bytes = Stored([&](CArchive& ar) { ar << &first << &second << &first; });
    // The class once (index 1), then first (index 2): its value and its next, which is the class by index,
    // second's value (second is index 3) and a back reference to first; the later pointers are references.
    EXPECT_EQ(
        Concat(ClassRecord(1, "CArchiveTestNode"), {1, 0, 0, 0, 0x01, 0x80, 2, 0, 0, 0, 2, 0, 3, 0, 2, 0}),
        bytes);

    const int nLiveBefore = CArchiveTestNode::s_nLive;
    CArchiveTestNode *p1 = nullptr, *p2 = nullptr, *p3 = nullptr;
    Load(bytes, [&](CArchive& ar) { ar >> p1 >> p2 >> p3; });
    ASSERT_TRUE(p1 && p2);
    EXPECT_NE(p1, p2);
    EXPECT_EQ(p1, p3);
    EXPECT_EQ(p2, p1->m_pNext);
    EXPECT_EQ(p1, p2->m_pNext);
    EXPECT_EQ(2, p2->m_nValue);
    EXPECT_EQ(nLiveBefore + 2, CArchiveTestNode::s_nLive);
    delete p1;
    delete p2;
}

TEST(AfxArchive, BadDataThrowsItsCauseAndLeavesNoObjectBehind)
{
    const Bytes nodeClass = ClassRecord(1, "CArchiveTestNode");
    const struct
    {
        const char* name;
        Bytes bytes;
        const CRuntimeClass* requested;
        int cause;
    } cases[] = {
        {"schema of another version", Concat(ClassRecord(2, "CArchiveTestNode"), {5, 0, 0, 0, 0, 0}), nullptr,
         CArchiveException::badSchema},
        {"class nobody registered", ClassRecord(1, "CArchiveTestMissing"), nullptr,
         CArchiveException::badClass},
        {"class of another kind", Concat(nodeClass, {5, 0, 0, 0, 0, 0}), RUNTIME_CLASS(CArchiveTestVersioned),
         CArchiveException::badClass},
        {"class index never defined", {0x05, 0x80}, nullptr, CArchiveException::badIndex},
        {"object index never defined", Concat(nodeClass, {5, 0, 0, 0, 0x07, 0}), nullptr,
         CArchiveException::badIndex},
        {"class index naming an object", Concat(nodeClass, {5, 0, 0, 0, 0x02, 0x80}), nullptr,
         CArchiveException::badIndex},
        {"object index naming a class", Concat(nodeClass, {5, 0, 0, 0, 0x01, 0}), nullptr,
         CArchiveException::badIndex},
        {"object cut short", Concat(nodeClass, {5, 0, 0}), nullptr, CArchiveException::endOfFile},
    };
    const int nLiveBefore = CArchiveTestNode::s_nLive;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.cause,
                  ArchiveCauseOf([&] { Load(c.bytes, [&](CArchive& ar) { ar.ReadObject(c.requested); }); }));
        EXPECT_EQ(nLiveBefore, CArchiveTestNode::s_nLive);
    }

    // A graph cut anywhere: the cut inside the class name reads as an unknown class, any other as the end.
    CArchiveTestNode first, second;
    first.m_pNext = &second;
    second.m_pNext = &first;
    const Bytes whole = Stored([&](CArchive& ar) { ar << &first; });
    const int nLiveWithOriginals = CArchiveTestNode::s_nLive;
    const size_t nameStart = 6, nameEnd = nameStart + std::strlen("CArchiveTestNode");
    for (size_t cut = 0; cut < whole.size(); ++cut)
    {
        SCOPED_TRACE(cut);
        const int expected =
            cut >= nameStart && cut < nameEnd ? CArchiveException::badClass : CArchiveException::endOfFile;
        CObject* pLoaded = nullptr;
        const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_EQ(expected, ArchiveCauseOf([&] { Load(part, [&](CArchive& ar) { ar >> pLoaded; }); }));
        EXPECT_EQ(nullptr, pLoaded);
        EXPECT_EQ(nLiveWithOriginals, CArchiveTestNode::s_nLive);
    }

    // Raw reads stop short at the end where typed reads throw.
    Load({1, 2, 3},
         [](CArchive& ar)
         {
             BYTE buffer[8] = {};
             DWORD dw;
             EXPECT_EQ(2U, ar.Read(buffer, 2));
             EXPECT_EQ(CArchiveException::endOfFile, ArchiveCauseOf([&] { ar >> dw; }));
             EXPECT_EQ(1U, ar.Read(buffer, 8));
         });
}

TEST(AfxArchive, VersionableClassesLoadOtherSchemasAndReportThem)
{
    for (WORD wSchema : {WORD(1), WORD(3), WORD(7)})
    {
        SCOPED_TRACE(wSchema);
        CObject* pLoaded = nullptr;
        Load(ClassRecord(wSchema, "CArchiveTestVersioned"), [&](CArchive& ar) { ar >> pLoaded; });
        const std::unique_ptr<CObject> owned(pLoaded);
        auto* pVersioned = DYNAMIC_DOWNCAST(CArchiveTestVersioned, pLoaded);
        ASSERT_NE(nullptr, pVersioned);
        EXPECT_EQ(wSchema, pVersioned->m_nLoadedSchema);
    }
}
