#include "AfxTestSupport.h"

#include <gtest/gtest.h>

#include <cwchar>
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
    EXPECT_EQ(original.GetString(), copy.GetString());
    copy.SetAt(0, L'S');
    EXPECT_EQ(L"shared text", W(original));
    EXPECT_EQ(L"Shared text", W(copy));

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
        {"MakeUpper", [](CString& s) { s.MakeUpper(); }},
        {"Replace", [](CString& s) { s.Replace(L"ell", L"ipp"); }},
        {"Delete", [](CString& s) { s.Delete(1, 2); }},
        {"Format", [](CString& s) { s.Format(L"%d", 42); }},
        {"GetBuffer", [](CString& s) { s.GetBuffer()[0] = L'J', s.ReleaseBuffer(); }},
        {"GetBufferSetLength", [](CString& s) { s.GetBufferSetLength(3)[2] = L'x', s.ReleaseBuffer(); }},
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

TEST(AfxString, GetBufferKeepsTheTextAndReleaseBufferSetsTheLength)
{
    CString s(L"keep");
    wchar_t* p = s.GetBuffer(20);
    EXPECT_GE(s.GetAllocLength(), 20);
    std::wcscpy(p + 4, L" growing");
    s.ReleaseBuffer();
    EXPECT_EQ(L"keep growing", W(s));

    s.GetBuffer();
    s.ReleaseBuffer(4); // an explicit length ignores the terminator
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

// --- construction, conversion and bad arguments ----------------------------------------------------

TEST(AfxString, ConstructionFromNarrowTextUsesTheAnsiCodePage)
{
    EXPECT_EQ(L"plain ascii", W(CStringW("plain ascii")));
    EXPECT_EQ("plain ascii", A(CStringA(L"plain ascii")));
    EXPECT_TRUE(CStringW(static_cast<const char*>(nullptr)).IsEmpty());
    if (GetACP() != 1252)
    {
        GTEST_SKIP() << "the checks below assume the Western European ANSI code page";
    }
    CStringW accented("caf\xE9 \x80");
    EXPECT_EQ(L"caf\u00E9 \u20AC", W(accented));
    EXPECT_EQ("caf\xE9 \x80", A(CStringA(accented)));
    // A character the code page does not have turns into its default character, not into nothing.
    EXPECT_EQ("a?b", A(CStringA(L"a\u4E2Db")));
    CStringW mixed(L"x");
    mixed += "\xE9";
    EXPECT_TRUE(mixed == "x\xE9");
}

TEST(AfxString, CountsAndPositionsOutOfRangeThrowInvalidArgument)
{
    EXPECT_EQ(L"---", W(CString(L'-', 3)));
    EXPECT_TRUE(CString(L'-', -4).IsEmpty());
    CString withZero(L"a\0b", 3);
    EXPECT_EQ(L'b', withZero[2]);
    CString s(L"abc");
    EXPECT_EQ(L'\0', s.GetAt(3)); // the terminator may be read
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"CString(text, -1)", [] { CString bad(L"abc", -1); }},
        {"CString(null, 2)", [] { CString bad(static_cast<const wchar_t*>(nullptr), 2); }},
        {"GetAt(4)", [&] { s.GetAt(4); }},
        {"SetAt(3)", [&] { s.SetAt(3, L'x'); }},
        {"Truncate(4)", [&] { s.Truncate(4); }},
        {"ReleaseBuffer(beyond)", [&] { s.GetBuffer(5), s.ReleaseBuffer(s.GetAllocLength() + 1); }},
        {"ReleaseBuffer(-2)", [&] { s.GetBuffer(5), s.ReleaseBuffer(-2); }},
    };
    for (const auto& [name, call] : cases)
    {
        EXPECT_TRUE(ThrowsAfx<CInvalidArgException>(call)) << name;
        s.ReleaseBuffer();
        EXPECT_EQ(L"abc", W(s)) << name;
    }
}

TEST(AfxString, FormatUsesWindowsConventionsForStringArgumentsAndGrowsAsNeeded)
{
    CString s;
    s.Format(L"%s|%S|%c|%d|%5.2f|%04X|%I64d", L"wide", "narrow", L'w', -12, 3.14159, 0xBEEF,
             -1234567890123LL);
    EXPECT_EQ(L"wide|narrow|w|-12| 3.14|BEEF|-1234567890123", W(s));
    CStringA a;
    a.Format("%s|%S", "narrow", L"wide");
    // CString arguments go in directly, without GetString().
    s.Format(L"hello %s, %S", CString(L"world"), a);
    s.AppendFormat(L" (%s)", CString(L"again"));
    EXPECT_EQ(L"hello world, narrow|wide (again)", W(s));

    // Longer than any first guess at a buffer.
    CString piece(L'x', 5000);
    s.Format(L"<%s%s>", piece.GetString(), piece.GetString());
    EXPECT_EQ(L"<" + CString(L'x', 10000) + L">", s);
}

// --- comparison, searching and extraction ----------------------------------------------------------

TEST(AfxString, CompareFindAndExtractAtTheEdges)
{
    const CString apple(L"apple");
    EXPECT_GT(apple.Compare(L"Apple"), 0); // by code: 'a' sorts after 'A'
    EXPECT_LT(apple.Compare(L"apples"), 0);
    EXPECT_LT(apple.CompareNoCase(L"Banana"), 0); // by letter, where code order would put "Banana" first
    EXPECT_GT(apple.Compare(nullptr), 0);

    const CString s(L"abcabc");
    EXPECT_EQ(4, s.Find(L'b', 2));
    EXPECT_EQ(-1, s.Find(L'a', 6));
    EXPECT_EQ(-1, s.Find(L'a', -1));
    EXPECT_EQ(3, s.Find(L"abc", 1));
    EXPECT_EQ(-1, s.Find(L"abcabcx"));
    EXPECT_EQ(6, s.Find(L"", 6)); // the empty text is found where the search starts, even at the end
    EXPECT_EQ(-1, s.Find(L"", 7));
    EXPECT_EQ(-1, s.Find(static_cast<const wchar_t*>(nullptr)));
    EXPECT_EQ(4, s.ReverseFind(L'b'));
    EXPECT_EQ(2, s.FindOneOf(L"xc"));

    const CString digits(L"0123456789");
    EXPECT_EQ(L"89", W(digits.Mid(8, 50)));
    EXPECT_EQ(L"01", W(digits.Mid(-5, 2)));
    EXPECT_EQ(L"", W(digits.Mid(11, 2)));
    EXPECT_EQ(L"", W(digits.Mid(2, -1)));
    EXPECT_EQ(L"", W(digits.Left(-3)));
    EXPECT_EQ(L"789", W(digits.Right(3)));
    EXPECT_EQ(L"[01!", W(L"[" + digits.Left(2) + L'!'));
    // Asking for everything shares the text instead of copying it.
    EXPECT_EQ(digits.GetString(), digits.Mid(0).GetString());
    EXPECT_EQ(digits.GetString(), digits.Right(99).GetString());
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
    text.Tokenize(L",;", nPos);
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
