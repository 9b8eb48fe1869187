#include "AfxTestSupport.h"

#include <afx.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
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
        {
            ar << m_nValue << m_pNext;
        }
        else
        {
            ar >> m_nValue >> m_pNext;
        }
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
    void Serialize(CArchive& ar) override
    {
        if (ar.IsLoading())
        {
            m_nLoadedSchema = ar.GetObjectSchema();
        }
    }
    UINT m_nLoadedSchema = 0;
};
IMPLEMENT_SERIAL(CArchiveTestVersioned, CObject, 3 | VERSIONABLE_SCHEMA)

namespace
{
std::vector<BYTE> Bytes(std::initializer_list<int> values)
{
    std::vector<BYTE> bytes;
    for (int value : values)
        bytes.push_back(static_cast<BYTE>(value));
    return bytes;
}

std::vector<BYTE> ClassRecord(WORD wSchema, const char* name)
{
    std::vector<BYTE> bytes =
        Bytes({0xFF, 0xFF, wSchema & 0xFF, wSchema >> 8, static_cast<int>(std::strlen(name)), 0});
    bytes.insert(bytes.end(), name, name + std::strlen(name));
    return bytes;
}

// Runs `store` on a store archive over a memory file and returns the bytes it produced.
std::vector<BYTE> Stored(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    const UINT nLength = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    std::vector<BYTE> bytes(data, data + nLength);
    std::free(data);
    return bytes;
}

// Runs `load` on a load archive over a copy of the bytes.
void Load(std::vector<BYTE> bytes, const std::function<void(CArchive&)>& load)
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
    }
    catch (CArchiveException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    catch (CException* e)
    {
        e->Delete();
        return -2;
    }
    return -1;
}
} // namespace

TEST(AfxArchive, EveryValueKindRoundTripsAtItsStoredSize)
{
    const CString wide300(L'\x263A', 300);
    const CStringA narrow70000('n', 70000);
    const std::vector<BYTE> bytes = Stored(
        [&](CArchive& ar)
        {
            ar << BYTE(0xAB) << WORD(0xBEEF) << LONG(-7) << DWORD(0xDEADBEEF) << -123456 << 4000000000U;
            ar << short(-2) << 'c' << L'\x20AC' << true << false << 1.5f << -2.25
               << LONGLONG(-1234567890123LL);
            ar << ULONGLONG(0xFEDCBA9876543210ULL) << CString() << CString(L"wide") << CStringA("narrow");
            ar << wide300 << narrow70000;
        });
    // Fixed sizes, then each string's length prefix and marker as MFC writes them.
    const size_t fixed = 1 + 2 + 4 + 4 + 4 + 4 + 2 + 1 + 2 + 1 + 1 + 4 + 8 + 8 + 8;
    const size_t strings = (3 + 1) + (3 + 1 + 8) + (1 + 6) + (3 + 3 + 600) + (1 + 2 + 4 + 70000);
    EXPECT_EQ(fixed + strings, bytes.size());

    Load(bytes,
         [&](CArchive& ar)
         {
             BYTE by;
             WORD w;
             LONG l;
             DWORD dw;
             int i;
             UINT u;
             short s;
             char ch;
             wchar_t wch;
             bool t, f;
             float fl;
             double d;
             LONGLONG ll;
             ULONGLONG ull;
             CString empty(L"x"), wide, wideLong;
             CStringA narrow, narrowLong;
             ar >> by >> w >> l >> dw >> i >> u >> s >> ch >> wch >> t >> f >> fl >> d >> ll >> ull;
             ar >> empty >> wide >> narrow >> wideLong >> narrowLong;
             EXPECT_EQ(0xAB, by);
             EXPECT_EQ(0xBEEF, w);
             EXPECT_EQ(-7, l);
             EXPECT_EQ(0xDEADBEEFUL, dw);
             EXPECT_EQ(-123456, i);
             EXPECT_EQ(4000000000U, u);
             EXPECT_EQ(-2, s);
             EXPECT_EQ('c', ch);
             EXPECT_EQ(L'\x20AC', wch);
             EXPECT_TRUE(t);
             EXPECT_FALSE(f);
             EXPECT_EQ(1.5f, fl);
             EXPECT_EQ(-2.25, d);
             EXPECT_EQ(-1234567890123LL, ll);
             EXPECT_EQ(0xFEDCBA9876543210ULL, ull);
             EXPECT_TRUE(empty.IsEmpty());
             EXPECT_EQ(CString(L"wide"), wide);
             EXPECT_EQ(CStringA("narrow"), narrow);
             EXPECT_EQ(wide300, wideLong);
             EXPECT_EQ(narrow70000, narrowLong);
             EXPECT_TRUE(ar.IsBufferEmpty());
         });
}

TEST(AfxArchive, StringsLoadIntoEitherWidth)
{
    // Narrow and wide records of the same text, in MFC's exact bytes.
    const std::vector<BYTE> narrow = Bytes({0x02, 'o', 'k'});
    const std::vector<BYTE> wide = Bytes({0xFF, 0xFE, 0xFF, 0x02, 'o', 0, 'k', 0});
    EXPECT_EQ(narrow, Stored([](CArchive& ar) { ar << CStringA("ok"); }));
    EXPECT_EQ(wide, Stored([](CArchive& ar) { ar << CStringW(L"ok"); }));
    for (const std::vector<BYTE>& record : {narrow, wide})
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
    const std::vector<BYTE> bytes = Stored([&](CArchive& ar) { ar << &first << &second << &first; });

    // The class once (index 1), then first (index 2): its value and its next, which is the class by index,
    // second's value (second is index 3) and a back reference to first; the later pointers are references.
    std::vector<BYTE> expected = ClassRecord(1, "CArchiveTestNode");
    const std::vector<BYTE> rest = Bytes({1, 0, 0, 0, 0x01, 0x80, 2, 0, 0, 0, 2, 0, 3, 0, 2, 0});
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(expected, bytes);

    const int nLiveBefore = CArchiveTestNode::s_nLive;
    CArchiveTestNode *p1 = nullptr, *p2 = nullptr, *p3 = nullptr;
    Load(bytes, [&](CArchive& ar) { ar >> p1 >> p2 >> p3; });
    ASSERT_NE(nullptr, p1);
    ASSERT_NE(nullptr, p2);
    EXPECT_NE(p1, p2);
    EXPECT_EQ(p1, p3);
    EXPECT_EQ(p2, p1->m_pNext);
    EXPECT_EQ(p1, p2->m_pNext);
    EXPECT_EQ(1, p1->m_nValue);
    EXPECT_EQ(2, p2->m_nValue);
    EXPECT_EQ(nLiveBefore + 2, CArchiveTestNode::s_nLive);
    delete p1;
    delete p2;
}

TEST(AfxArchive, BadDataThrowsItsCauseAndLeavesNoObjectBehind)
{
    const auto node = [](std::vector<BYTE> bytes, std::initializer_list<int> tail)
    {
        const std::vector<BYTE> more = Bytes(tail);
        bytes.insert(bytes.end(), more.begin(), more.end());
        return bytes;
    };
    const std::vector<BYTE> nodeClass = ClassRecord(1, "CArchiveTestNode");
    struct Case
    {
        const char* name;
        std::vector<BYTE> bytes;
        const CRuntimeClass* requested;
        int cause;
    };
    const Case cases[] = {
        {"schema of another version", node(ClassRecord(2, "CArchiveTestNode"), {5, 0, 0, 0, 0, 0}), nullptr,
         CArchiveException::badSchema},
        {"class nobody registered", node(ClassRecord(1, "CArchiveTestMissing"), {}), nullptr,
         CArchiveException::badClass},
        {"class of another kind", node(nodeClass, {5, 0, 0, 0, 0, 0}), RUNTIME_CLASS(CArchiveTestVersioned),
         CArchiveException::badClass},
        {"class index never defined", Bytes({0x05, 0x80}), nullptr, CArchiveException::badIndex},
        {"object index never defined", node(nodeClass, {5, 0, 0, 0, 0x07, 0}), nullptr,
         CArchiveException::badIndex},
        {"class index naming an object", node(nodeClass, {5, 0, 0, 0, 0x02, 0x80}), nullptr,
         CArchiveException::badIndex},
        {"object index naming a class", node(nodeClass, {5, 0, 0, 0, 0x01, 0}), nullptr,
         CArchiveException::badIndex},
        {"object cut short", node(nodeClass, {5, 0, 0}), nullptr, CArchiveException::endOfFile},
    };
    const int nLiveBefore = CArchiveTestNode::s_nLive;
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.cause,
                  ArchiveCauseOf([&] { Load(c.bytes, [&](CArchive& ar) { ar.ReadObject(c.requested); }); }))
            << c.name;
        EXPECT_EQ(nLiveBefore, CArchiveTestNode::s_nLive) << c.name;
    }

    // A graph cut anywhere: the cut inside the class name reads as an unknown class, any other as the end.
    CArchiveTestNode first, second;
    first.m_pNext = &second;
    second.m_pNext = &first;
    const std::vector<BYTE> whole = Stored([&](CArchive& ar) { ar << &first; });
    const int nLiveWithOriginals = CArchiveTestNode::s_nLive;
    const size_t nameStart = 6, nameEnd = nameStart + std::strlen("CArchiveTestNode");
    for (size_t cut = 0; cut < whole.size(); ++cut)
    {
        const int expected =
            cut >= nameStart && cut < nameEnd ? CArchiveException::badClass : CArchiveException::endOfFile;
        const std::vector<BYTE> part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
        CObject* pLoaded = nullptr;
        EXPECT_EQ(expected, ArchiveCauseOf([&] { Load(part, [&](CArchive& ar) { ar >> pLoaded; }); })) << cut;
        EXPECT_EQ(nullptr, pLoaded) << cut;
        EXPECT_EQ(nLiveWithOriginals, CArchiveTestNode::s_nLive) << cut;
    }
}

TEST(AfxArchive, VersionableClassesLoadOtherSchemasAndReportThem)
{
    for (WORD wSchema : {WORD(1), WORD(3), WORD(7)})
    {
        CObject* pLoaded = nullptr;
        Load(ClassRecord(wSchema, "CArchiveTestVersioned"), [&](CArchive& ar) { ar >> pLoaded; });
        auto* pVersioned = DYNAMIC_DOWNCAST(CArchiveTestVersioned, pLoaded);
        ASSERT_NE(nullptr, pVersioned) << wSchema;
        EXPECT_EQ(wSchema, pVersioned->m_nLoadedSchema);
        delete pLoaded;
    }
}

TEST(AfxArchive, DirectionAndEndOfDataAreChecked)
{
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    BYTE by = 0;
    EXPECT_EQ(CArchiveException::writeOnly, ArchiveCauseOf([&] { storing >> by; }));
    EXPECT_EQ(CArchiveException::writeOnly, ArchiveCauseOf([&] { storing.Read(&by, 1); }));
    EXPECT_EQ(CArchiveException::writeOnly, ArchiveCauseOf([&] { storing.ReadObject(nullptr); }));

    Load(Bytes({1, 2, 3}),
         [&](CArchive& loading)
         {
             EXPECT_EQ(CArchiveException::readOnly, ArchiveCauseOf([&] { loading << by; }));
             EXPECT_EQ(CArchiveException::readOnly, ArchiveCauseOf([&] { loading.Write(&by, 1); }));
             EXPECT_EQ(CArchiveException::readOnly, ArchiveCauseOf([&] { loading.WriteObject(nullptr); }));
             // Raw reads stop short at the end; typed reads throw.
             BYTE buffer[8] = {};
             EXPECT_EQ(2U, loading.Read(buffer, 2));
             DWORD dw;
             EXPECT_EQ(CArchiveException::endOfFile, ArchiveCauseOf([&] { loading >> dw; }));
             EXPECT_EQ(1U, loading.Read(buffer, 8));
             EXPECT_EQ(3, buffer[0]);
         });
}

TEST(AfxArchive, TextLinesAndReadAheadGivenBack)
{
    const std::vector<BYTE> bytes = Stored([](CArchive& ar) { ar.WriteString(L"one\r\ntwo\nthree\rfour"); });
    Load(bytes,
         [](CArchive& ar)
         {
             CString line;
             std::vector<CString> lines;
             while (ar.ReadString(line))
                 lines.push_back(line);
             EXPECT_EQ((std::vector<CString>{L"one", L"two", L"three", L"four"}), lines);
         });
    Load(bytes,
         [](CArchive& ar)
         {
             wchar_t buffer[3];
             EXPECT_STREQ(L"on", ar.ReadString(buffer, 3));
             EXPECT_STREQ(L"e", ar.ReadString(buffer, 3));
         });

    // A load archive reads ahead; Flush hands the unread bytes back to the file.
    std::vector<BYTE> three = Stored([](CArchive& ar) { ar << 1 << 2 << 3; });
    CMemFile file(three.data(), static_cast<UINT>(three.size()));
    CArchive ar(&file, CArchive::load);
    int first = 0;
    ar >> first;
    EXPECT_EQ(three.size(), file.GetPosition());
    ar.Flush();
    EXPECT_EQ(4U, file.GetPosition());
}

namespace
{
// Counts the blocks the file allocates and frees.
class CCountingMemFile : public CMemFile
{
public:
    using CMemFile::CMemFile;
    SIZE_T BufferSize() const { return m_nBufferSize; }
    int m_nAllocs = 0;
    int m_nFrees = 0;

protected:
    BYTE* Alloc(SIZE_T nBytes) override
    {
        ++m_nAllocs;
        return CMemFile::Alloc(nBytes);
    }
    void Free(BYTE* lpMem) override
    {
        ++m_nFrees;
        CMemFile::Free(lpMem);
    }
};
} // namespace

TEST(AfxMemFile, GrowsInStepsAndDetachHandsOverTheBlock)
{
    CCountingMemFile file(1000);
    EXPECT_EQ(nullptr, file.Detach());
    std::string text(2500, 'g');
    file.Write(text.data(), 2500);
    EXPECT_EQ(3000U, file.BufferSize());
    EXPECT_EQ(2500U, file.GetLength());
    // Past the end a write leaves zeros in the gap; shrinking pulls the position back.
    file.Seek(10, CFile::end);
    file.Write("x", 1);
    EXPECT_EQ(2511U, file.GetLength());
    file.SetLength(2505);
    EXPECT_EQ(2505U, file.GetPosition());
    int cause = -1;
    try
    {
        file.Seek(-1, CFile::begin);
    }
    catch (CFileException* e)
    {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CFileException::badSeek, cause);

    BYTE* data = file.Detach();
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(std::string(2500, 'g') + std::string(5, '\0'),
              std::string(reinterpret_cast<char*>(data), 2505));
    EXPECT_EQ(0U, file.GetLength());
    std::free(data);
    file.Write("y", 1);
    file.Close();
    EXPECT_EQ(2, file.m_nAllocs);
    EXPECT_EQ(1, file.m_nFrees); // only the block that was not handed over
}

TEST(AfxMemFile, AttachedBuffersAreReadInPlaceAndNeverFreed)
{
    BYTE fixed[4] = {'a', 'b', 'c', 'd'};
    {
        CCountingMemFile file(fixed, 4);
        EXPECT_EQ(4U, file.GetLength());
        char read[8] = {};
        EXPECT_EQ(4U, file.Read(read, 8));
        EXPECT_STREQ("abcd", read);
        file.Seek(2, CFile::begin);
        file.Write("XY", 2);
        EXPECT_TRUE(ThrowsAfx<CMemoryException>([&] { file.Write("Z", 1); }));
        EXPECT_EQ(4U, file.GetLength());
        EXPECT_EQ(0, file.m_nFrees);
    }
    EXPECT_EQ(0, std::memcmp(fixed, "abXY", 4));

    // With growth the buffer is only room: the file starts empty and reallocates it.
    BYTE* room = static_cast<BYTE*>(std::malloc(2));
    CCountingMemFile file(room, 2, 16);
    EXPECT_EQ(0U, file.GetLength());
    file.Write("hello", 5);
    BYTE* grown = file.Detach();
    EXPECT_EQ(0, std::memcmp(grown, "hello", 5));
    EXPECT_EQ(0, file.m_nFrees);
    std::free(grown);
}
