#include "AfxTestSupport.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace
{
std::wstring W(const CString& s)
{
    return std::wstring(s.GetString(), static_cast<size_t>(s.GetLength()));
}
std::string A(const CStringA& s)
{
    return std::string(s.GetString(), static_cast<size_t>(s.GetLength()));
}
} // namespace

// --- sharing and copy-on-write ---------------------------------------------------------------------

TEST(AfxString, CopiesShareOneBufferUntilOneIsWrittenOrItIsLocked)
{
    CString original(L"shared text");
    CString copy = original;
    CString assigned;
    assigned = copy;
    EXPECT_EQ(original.GetString(), copy.GetString());
    EXPECT_EQ(original.GetString(), assigned.GetString());

    copy.SetAt(0, L'S');
    EXPECT_EQ(L"shared text", W(original));
    EXPECT_EQ(L"Shared text", W(copy));
    EXPECT_EQ(L"shared text", W(assigned));
    EXPECT_NE(original.GetString(), copy.GetString());
    EXPECT_EQ(original.GetString(), assigned.GetString());

    // A move hands the buffer over and leaves an empty, usable string.
    const wchar_t* text = copy.GetString();
    CString moved(std::move(copy));
    EXPECT_EQ(text, moved.GetString());
    EXPECT_TRUE(copy.IsEmpty()); // NOLINT(bugprone-use-after-move): the state after a move is defined here
    copy = L"again";
    EXPECT_EQ(L"again", W(copy));

    // A locked buffer is never shared.
    CString a(L"locked");
    wchar_t* p = a.LockBuffer();
    CString b = a;
    EXPECT_NE(a.GetString(), b.GetString());
    p[0] = L'L';
    EXPECT_EQ(L"Locked", W(a));
    EXPECT_EQ(L"locked", W(b));

    a.UnlockBuffer();
    CString c = a;
    EXPECT_EQ(a.GetString(), c.GetString());
}

TEST(AfxString, EveryWritingMemberLeavesTheOtherCopiesAlone)
{
    const std::vector<std::pair<const char*, std::function<void(CString&)>>> writers = {
        {"SetAt", [](CString& s) { s.SetAt(1, L'#'); }},
        {"+=", [](CString& s) { s += L"++"; }},
        {"AppendChar", [](CString& s) { s.AppendChar(L'!'); }},
        {"MakeUpper", [](CString& s) { s.MakeUpper(); }},
        {"Replace", [](CString& s) { s.Replace(L"ell", L"ipp"); }},
        {"Delete", [](CString& s) { s.Delete(1, 2); }},
        {"Empty", [](CString& s) { s.Empty(); }},
        {"Format", [](CString& s) { s.Format(L"%d", 42); }},
        {"GetBuffer",
         [](CString& s)
         {
             s.GetBuffer()[0] = L'J';
             s.ReleaseBuffer();
         }},
        {"GetBufferSetLength",
         [](CString& s)
         {
             s.GetBufferSetLength(3)[2] = L'x';
             s.ReleaseBuffer();
         }},
        {"LockBuffer", [](CString& s) { s.LockBuffer()[0] = L'L'; }},
    };
    for (const auto& [name, write] : writers)
    {
        CString original(L"hello");
        CString copy = original;
        write(copy);
        EXPECT_EQ(L"hello", W(original)) << name;
        EXPECT_NE(L"hello", W(copy)) << name;
    }
}

TEST(AfxString, GetBufferFilledByAnApiAndReleased)
{
    CString path;
    DWORD n = GetModuleFileNameW(nullptr, path.GetBuffer(MAX_PATH), MAX_PATH);
    path.ReleaseBuffer();
    ASSERT_GT(n, 0u);
    EXPECT_EQ(static_cast<int>(n), path.GetLength());
    EXPECT_EQ(path.GetLength(), path.ReverseFind(L'e') + 1); // ...test_afx.exe

    CString s(L"keep");
    wchar_t* p = s.GetBuffer(20);
    EXPECT_GE(s.GetAllocLength(), 20);
    EXPECT_EQ(L'k', p[0]); // the old text is kept
    std::wcscpy(p + 4, L" growing");
    s.ReleaseBuffer();
    EXPECT_EQ(L"keep growing", W(s));

    p = s.GetBuffer();
    s.ReleaseBuffer(4); // an explicit length ignores the terminator
    EXPECT_EQ(L"keep", W(s));
    EXPECT_EQ(L'\0', s.GetString()[4]);

    s.GetBuffer(5);
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { s.ReleaseBuffer(s.GetAllocLength() + 1); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { s.ReleaseBuffer(-2); }));
    s.ReleaseBuffer();
    EXPECT_EQ(L"keep", W(s));
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
    s += s;
    EXPECT_EQ(L"x!!x!!", W(s));
}

// --- construction and conversion -------------------------------------------------------------------

TEST(AfxString, ConstructionFromNarrowTextUsesTheAnsiCodePage)
{
    CStringW w("plain ascii");
    EXPECT_EQ(L"plain ascii", W(w));
    CStringA a(L"plain ascii");
    EXPECT_EQ("plain ascii", A(a));
    EXPECT_TRUE(CStringW(static_cast<const char*>(nullptr)).IsEmpty());

    if (GetACP() != 1252)
    {
        GTEST_SKIP() << "the checks below assume the Western European ANSI code page";
    }
    CStringW accented("caf\xE9 \x80");
    EXPECT_EQ(L"caf\u00E9 \u20AC", W(accented));
    CStringA back(accented);
    EXPECT_EQ("caf\xE9 \x80", A(back));
    // A character the code page does not have turns into its default character, not into nothing.
    CStringA unmappable(L"a\u4E2Db");
    EXPECT_EQ("a?b", A(unmappable));

    CStringW mixed(L"x");
    mixed += "\xE9";
    mixed += '\xE9';
    EXPECT_EQ(L"x\u00E9\u00E9", W(mixed));
    EXPECT_TRUE(mixed == "x\xE9\xE9");
}

TEST(AfxString, ConstructionFromCountsAndRepeatedCharacters)
{
    EXPECT_EQ(L"---", W(CString(L'-', 3)));
    EXPECT_TRUE(CString(L'-', 0).IsEmpty());
    EXPECT_TRUE(CString(L'-', -4).IsEmpty());
    EXPECT_EQ("zz", A(CStringA(L'z', 2)));
    EXPECT_EQ(L"abc", W(CString(L"abcdef", 3)));
    CString withZero(L"a\0b", 3);
    EXPECT_EQ(3, withZero.GetLength());
    EXPECT_EQ(L'b', withZero[2]);
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([] { CString bad(L"abc", -1); }));
    EXPECT_TRUE(
        ThrowsAfx<CInvalidArgException>([] { CString bad(static_cast<const wchar_t*>(nullptr), 2); }));
}

// --- characters ------------------------------------------------------------------------------------

TEST(AfxString, IndexOutOfRangeThrowsInvalidArgument)
{
    CString s(L"abc");
    EXPECT_EQ(L'c', s.GetAt(2));
    EXPECT_EQ(L'\0', s.GetAt(3)); // the terminator may be read
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { s.GetAt(4); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { s.GetAt(-1); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { s.SetAt(3, L'x'); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { s.SetAt(-1, L'x'); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([&] { s.Truncate(4); }));
    EXPECT_EQ(L"abc", W(s));
}

TEST(AfxString, FormatUsesWindowsConventionsForStringArgumentsAndGrowsAsNeeded)
{
    CString s;
    s.Format(L"%s|%S|%c|%d|%5.2f|%04X|%I64d", L"wide", "narrow", L'w', -12, 3.14159, 0xBEEF,
             -1234567890123LL);
    EXPECT_EQ(L"wide|narrow|w|-12| 3.14|BEEF|-1234567890123", W(s));

    CStringA a;
    a.Format("%s|%S", "narrow", L"wide");
    EXPECT_EQ("narrow|wide", A(a));

    // CString arguments go in directly, without GetString().
    s.Format(L"hello %s, %S", CString(L"world"), a);
    s.AppendFormat(L" (%s)", CString(L"again"));
    EXPECT_EQ(L"hello world, narrow|wide (again)", W(s));

    // Longer than any first guess at a buffer.
    CString piece(L'x', 5000);
    s.Format(L"<%s%s>", piece.GetString(), piece.GetString());
    EXPECT_EQ(10002, s.GetLength());
    EXPECT_EQ(L'>', s[10001]);
    EXPECT_EQ(CString(L'x', 10000), s.Mid(1, 10000));
}

// --- comparison ------------------------------------------------------------------------------------

TEST(AfxString, CompareIsOrdinalCompareNoCaseFoldsCaseAndConcatenationCopies)
{
    CString s(L"apple");
    EXPECT_EQ(0, s.Compare(L"apple"));
    EXPECT_GT(s.Compare(L"Apple"), 0); // 'a' sorts after 'A' by code
    EXPECT_LT(s.Compare(L"apples"), 0);
    EXPECT_EQ(0, s.CompareNoCase(L"APPLE"));
    EXPECT_LT(s.CompareNoCase(L"Banana"), 0); // ordinal order would put "Banana" first
    EXPECT_GT(s.Compare(L"Banana"), 0);
    EXPECT_GT(s.CompareNoCase(L"APP"), 0);
    EXPECT_GT(s.Compare(nullptr), 0);

    CString a(L"left");
    CString sum = a + L"-" + CString(L"right") + L'!';
    EXPECT_EQ(L"left-right!", W(sum));
    EXPECT_EQ(L">left", W(L'>' + a));
    EXPECT_EQ(L"[left", W(L"[" + a));
    EXPECT_EQ(L"left", W(a));
    CString empty;
    EXPECT_EQ(L"left", W(empty + a));
}

// --- searching -------------------------------------------------------------------------------------

TEST(AfxString, FindAtTheEdges)
{
    CString s(L"abcabc");
    EXPECT_EQ(1, s.Find(L'b'));
    EXPECT_EQ(4, s.Find(L'b', 2));
    EXPECT_EQ(-1, s.Find(L'b', 5));
    EXPECT_EQ(-1, s.Find(L'a', 6));
    EXPECT_EQ(-1, s.Find(L'a', -1));
    EXPECT_EQ(-1, s.Find(L'z'));

    EXPECT_EQ(3, s.Find(L"abc", 1));
    EXPECT_EQ(-1, s.Find(L"abc", 4));
    EXPECT_EQ(-1, s.Find(L"abcabcx"));
    EXPECT_EQ(2, s.Find(L"", 2));  // the empty text is found where the search starts
    EXPECT_EQ(6, s.Find(L"", 6));  // even at the end
    EXPECT_EQ(-1, s.Find(L"", 7)); // but not beyond it
    EXPECT_EQ(-1, s.Find(static_cast<const wchar_t*>(nullptr)));

    EXPECT_EQ(4, s.ReverseFind(L'b'));
    EXPECT_EQ(-1, s.ReverseFind(L'z'));
    EXPECT_EQ(2, s.FindOneOf(L"xc"));
    EXPECT_EQ(-1, s.FindOneOf(L"xyz"));
    EXPECT_EQ(-1, s.FindOneOf(L""));
    EXPECT_EQ(-1, CString().Find(L'a'));
}

TEST(AfxString, MidLeftRightClampToTheText)
{
    CString s(L"0123456789");
    EXPECT_EQ(L"345", W(s.Mid(3, 3)));
    EXPECT_EQ(L"789", W(s.Mid(7)));
    EXPECT_EQ(L"89", W(s.Mid(8, 50)));
    EXPECT_EQ(L"01", W(s.Mid(-5, 2)));
    EXPECT_EQ(L"", W(s.Mid(10)));
    EXPECT_EQ(L"", W(s.Mid(11, 2)));
    EXPECT_EQ(L"", W(s.Mid(2, -1)));
    EXPECT_EQ(L"012", W(s.Left(3)));
    EXPECT_EQ(L"", W(s.Left(-3)));
    EXPECT_EQ(L"0123456789", W(s.Left(99)));
    EXPECT_EQ(L"789", W(s.Right(3)));
    EXPECT_EQ(L"", W(s.Right(0)));
    EXPECT_EQ(L"0123456789", W(s.Right(99)));
    // Asking for everything shares the text instead of copying it.
    EXPECT_EQ(s.GetString(), s.Mid(0).GetString());
    EXPECT_EQ(s.GetString(), s.Left(10).GetString());
}

// The editing and message-formatting members nothing in the library uses, in one smoke test.
TEST(AfxString, EditingMembersSmoke)
{
    CString text(L"  a,b;;c  ");
    text.Trim();
    EXPECT_EQ(CString(L"a,b;;c"), text);
    int nPos = 0;
    EXPECT_EQ(CString(L"a"), text.Tokenize(L",;", nPos));
    EXPECT_EQ(CString(L"b"), text.Tokenize(L",;", nPos));
    EXPECT_EQ(CString(L"c"), text.Tokenize(L",;", nPos));
    text.Tokenize(L",;", nPos);
    EXPECT_EQ(-1, nPos);
    EXPECT_EQ(2, text.Replace(L";", L"--"));
    EXPECT_EQ(1, text.Remove(L','));
    EXPECT_EQ(8, text.Insert(99, L'!')); // clamped to the end
    EXPECT_EQ(6, text.Delete(0, 2));
    EXPECT_EQ(CString(L"--c!"), text.Right(4));

    text.FormatMessage(L"%2 copied to %1 (%3!d! files, %4!04X!, 100%%)", L"D:", CString(L"C:"), 12, 0xAB);
    EXPECT_EQ(CString(L"C: copied to D: (12 files, 00AB, 100%)"), text);
    EXPECT_TRUE(ThrowsAfx<CMemoryException>([&] { text.FormatMessage(L""); }));
    EXPECT_EQ(CString(L"C: copied to D: (12 files, 00AB, 100%)"), text) << "a failed format changes nothing";
}
