// CString: the library's tests reach it everywhere; these are the faults a plain use would not show:
// shared buffers, arguments that are the string's own text, buffers that must grow, and bounds.
#include "AfxTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
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

// Everything else the library's own tests reach: one smoke test of formatting, searching and bounds.
TEST(AfxString, FormatSearchAndBoundsSmoke)
{
    CString s;
    s.Format(L"%s|%S|%I64d|%s", L"wide", "narrow", -1234567890123LL, CString(L"direct"));
    EXPECT_EQ(L"wide|narrow|-1234567890123|direct", W(s));
    CString piece(L'x', 5000); // longer than any first guess at a buffer
    s.Format(L"<%s%s>", piece.GetString(), piece.GetString());
    EXPECT_EQ(L"<" + CString(L'x', 10000) + L">", s);
    s.FormatMessage(L"%2 copied to %1 (%3!d! files, 100%%)", L"D:", CString(L"C:"), 12);
    EXPECT_EQ(CString(L"C: copied to D: (12 files, 100%)"), s);
    EXPECT_TRUE(ThrowsAfx<CMemoryException>([&] { s.FormatMessage(L""); }));
    EXPECT_EQ(CString(L"C: copied to D: (12 files, 100%)"), s) << "a failed format changes nothing";

    const CString t(L"abcabc");
    EXPECT_EQ(-1, t.Find(L'a', 6));
    EXPECT_EQ(6, t.Find(L"", 6)); // the empty text is found where the search starts, even at the end
    EXPECT_EQ(-1, t.Find(L"", 7));
    EXPECT_EQ(L"bc", W(t.Mid(4, 50)));
    EXPECT_EQ(L"ab", W(t.Mid(-5, 2)));
    EXPECT_EQ(L"", W(t.Mid(7, 2)));
    EXPECT_EQ(L'\0', t.GetAt(6)); // the terminator may be read
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { t.GetAt(7); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([] { CString bad(L"abc", -1); }));
    s = L"abc";
    EXPECT_TRUE(
        ThrowsAfx<CInvalidArgException>([&] { s.GetBuffer(5), s.ReleaseBuffer(s.GetAllocLength() + 1); }));
    s.ReleaseBuffer();
    EXPECT_EQ(L"abc", W(s));
}
