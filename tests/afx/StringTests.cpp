// CString: the library's tests reach it everywhere; these are the faults a plain use would not show:
// shared buffers, arguments that are the string's own text, buffers that must grow, and bounds.
#include "AfxTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace
{
std::wstring W(const CString& s)
{
    return std::wstring(s.GetString(), static_cast<size_t>(s.GetLength()));
}
} // namespace

TEST(AfxString, CopiesShareOneBufferUntilOneIsWrittenOrItIsLocked)
{
    const std::vector<std::pair<const char*, std::function<void(CString&)>>> writers = {
        {"SetAt", [](CString& s) { s.SetAt(1, L'#'); }},
        {"+=", [](CString& s) { s += L"++"; }},
        {"Replace", [](CString& s) { s.Replace(L"ell", L"ipp"); }},
        {"Delete", [](CString& s) { s.Delete(1, 2); }},
        {"Format", [](CString& s) { s.Format(L"%d", 42); }},
        {"GetBuffer", [](CString& s) { s.GetBuffer()[0] = L'J', s.ReleaseBuffer(); }},
        {"GetBufferSetLength", [](CString& s) { s.GetBufferSetLength(3)[2] = L'x', s.ReleaseBuffer(); }},
        {"LockBuffer", [](CString& s) { s.LockBuffer()[0] = L'L'; }},
    };
    for (const auto& [name, write] : writers)
    {
        SCOPED_TRACE(name);
        CString original(L"hello");
        CString copy = original;
        EXPECT_EQ(original.GetString(), copy.GetString());
        write(copy);
        EXPECT_EQ(L"hello", W(original));
        EXPECT_NE(L"hello", W(copy));
    }

    // A locked buffer is never shared; unlocked, it is again.
    CString a(L"locked");
    wchar_t* p = a.LockBuffer();
    CString b = a;
    p[0] = L'L';
    EXPECT_EQ(L"locked", W(b));
    a.UnlockBuffer();
    CString c = a;
    EXPECT_EQ(a.GetString(), c.GetString());
    // Asking for all of the text shares it instead of copying it.
    EXPECT_EQ(a.GetString(), a.Mid(0).GetString());
}

TEST(AfxString, OperationsWhoseArgumentIsTheStringsOwnText)
{
    CString s(L"abc");
    s.Append(s);
    EXPECT_EQ(L"abcabc", W(s));
    s.Append(s.GetString() + 4); // while the buffer grows
    EXPECT_EQ(L"abcabcbc", W(s));
    s = s.GetString() + 3;
    EXPECT_EQ(L"abcbc", W(s));
    s.Format(L"[%s|%s]", s.GetString(), s.GetString());
    EXPECT_EQ(L"[abcbc|abcbc]", W(s));
    s = L"xyz";
    s.Insert(1, s.GetString() + 1);
    EXPECT_EQ(L"xyzyz", W(s));
    s.Replace(s.GetString() + 3, L"!"); // "yz" is replaced wherever it occurs
    EXPECT_EQ(L"x!!", W(s));
}

TEST(AfxString, FormatTakesWindowsStringConventionsAndGrowsAsNeeded)
{
    CString s;
    s.Format(L"%s|%S|%c|%5.2f|%04X|%I64d", L"wide", "narrow", L'w', 3.14159, 0xBEEF, -1234567890123LL);
    EXPECT_EQ(L"wide|narrow|w| 3.14|BEEF|-1234567890123", W(s));
    // CString arguments go in directly, without GetString().
    s.Format(L"hello %s", CString(L"world"));
    s.AppendFormat(L" (%s)", CString(L"again"));
    EXPECT_EQ(L"hello world (again)", W(s));
    CString piece(L'x', 5000);
    s.Format(L"<%s%s>", piece.GetString(), piece.GetString());
    EXPECT_EQ(L"<" + CString(L'x', 10000) + L">", s);

    s.FormatMessage(L"%2 copied to %1 (%3!d! files, 100%%)", L"D:", CString(L"C:"), 12);
    EXPECT_EQ(CString(L"C: copied to D: (12 files, 100%)"), s);
    EXPECT_TRUE(ThrowsAfx<CMemoryException>([&] { s.FormatMessage(L""); }));
    EXPECT_EQ(CString(L"C: copied to D: (12 files, 100%)"), s) << "a failed format changes nothing";
}

TEST(AfxString, SearchAndExtractionAtTheEdgesAndPositionsOutOfRange)
{
    const CString s(L"abcabc");
    const struct
    {
        int found;
        int expected;
    } finds[] = {{s.Find(L'b', 2), 4},
                 {s.Find(L'a', 6), -1},
                 {s.Find(L'a', -1), -1},
                 {s.Find(L"abc", 1), 3},
                 {s.Find(L"abcabcx"), -1},
                 {s.Find(L"", 6), 6}, // the empty text is found where the search starts, even at the end
                 {s.Find(L"", 7), -1},
                 {s.ReverseFind(L'b'), 4}};
    for (size_t i = 0; i < std::size(finds); ++i)
        EXPECT_EQ(finds[i].expected, finds[i].found) << "row " << i;
    const CString digits(L"0123456789");
    EXPECT_EQ(L"89", W(digits.Mid(8, 50)));
    EXPECT_EQ(L"01", W(digits.Mid(-5, 2)));
    EXPECT_EQ(L"", W(digits.Mid(11, 2)));
    EXPECT_EQ(L"", W(digits.Left(-3)));

    CString t(L"abc");
    EXPECT_EQ(L'\0', t.GetAt(3)); // the terminator may be read
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"CString(text, -1)", [] { CString bad(L"abc", -1); }},
        {"GetAt(4)", [&] { t.GetAt(4); }},
        {"SetAt(3)", [&] { t.SetAt(3, L'x'); }},
        {"ReleaseBuffer(beyond)", [&] { t.GetBuffer(5), t.ReleaseBuffer(t.GetAllocLength() + 1); }},
    };
    for (const auto& [name, call] : cases)
    {
        EXPECT_TRUE(ThrowsAfx<CInvalidArgException>(call)) << name;
        t.ReleaseBuffer();
        EXPECT_EQ(L"abc", W(t)) << name;
    }
}
