// Everyday operations of the two string types and their index errors.
#include <gtest/gtest.h>

#include "IndexExceptionRecorder.h"
#include "core/VString.h"
#include "core/VUnicodeString.h"

TEST(CoreStringOps, ConstructsFromTextsLengthsAndCodePages)
{
    EXPECT_STREQ(L"abc", VUnicodeString(L"abcdef", 3).GetString());
    EXPECT_EQ(3, VUnicodeString(L"abcdef", 3).GetLength());
    EXPECT_STREQ(L"abc", VUnicodeString("abc").GetString());
    EXPECT_STREQ(L"ab", VUnicodeString("abc", CP_ACP, 2).GetString());

    // UTF-8 refuses the precomposed flag; the text must still arrive whole.
    const VUnicodeString fromUtf8("caf\xC3\xA9 \xE2\x82\xAC", CP_UTF8);
    EXPECT_STREQ(L"caf\u00E9 \u20AC", fromUtf8.GetString());
    const VString toUtf8(fromUtf8, CP_UTF8);
    EXPECT_STREQ("caf\xC3\xA9 \xE2\x82\xAC", toUtf8.GetString());
    EXPECT_EQ(9, toUtf8.GetLength());
    EXPECT_STREQ(L"caf\u00E9 \u20AC", VUnicodeString(toUtf8, CP_UTF8).GetString());

    EXPECT_STREQ("wide", VString(L"wide").GetString());
    EXPECT_STREQ("wi", VString(L"wide", CP_ACP, 2).GetString());
    EXPECT_TRUE(VString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
    EXPECT_TRUE(VUnicodeString(static_cast<const char*>(nullptr)).IsEmpty());
}

TEST(CoreStringOps, AppendsStringsTextsAndCharacters)
{
    VUnicodeString s;
    s.Append(L"ab").Append(VUnicodeString(L"cd")).Append(L'e');
    s += L"fg";
    s.Append(L"hijk", 2);
    EXPECT_STREQ(L"abcdefghi", s.GetString());
    EXPECT_EQ(9, s.GetLength());
    s.Append(static_cast<const wchar_t*>(nullptr));
    EXPECT_EQ(9, s.GetLength());

    EXPECT_STREQ(L"xy", (VUnicodeString(L"x") + L'y').GetString());
    EXPECT_STREQ(L"xy", (L"x" + VUnicodeString(L"y")).GetString());

    VString n("a");
    n += 'b';
    n += "cd";
    EXPECT_STREQ("abcd", n.GetString());
}

TEST(CoreStringOps, AppendsItselfAndPartsOfItself)
{
    VUnicodeString s(L"abc");
    s.Append(s);
    EXPECT_STREQ(L"abcabc", s.GetString());

    VUnicodeString t(L"abc");
    t.GetBuffer(32);
    t.ReleaseBuffer();
    t.Append(t.GetString() + 1); // written in place: the source lies in the same buffer
    EXPECT_STREQ(L"abcbc", t.GetString());

    VUnicodeString u(L"abcdef");
    u = u.GetString() + 2; // the text lies in the buffer being assigned
    EXPECT_STREQ(L"cdef", u.GetString());
}

TEST(CoreStringOps, DeletesUppercasesAndSearches)
{
    VUnicodeString s(L"Hello, World");
    s.Delete(5);
    EXPECT_STREQ(L"Hello World", s.GetString());
    s.Delete(0);
    s.Delete(s.GetLength() - 1);
    EXPECT_STREQ(L"ello Worl", s.GetString());

    EXPECT_EQ(1, s.Find(L"llo"));
    EXPECT_EQ(-1, s.Find(L"llo", 2));
    EXPECT_EQ(6, s.Find(L'o', 4));
    EXPECT_EQ(-1, s.Find(L'z'));
    EXPECT_EQ(-1, s.Find(L"World"));
    EXPECT_EQ(3, s.Find(L"", 3));
    EXPECT_EQ(8, s.ReverseFind(L'l'));
    EXPECT_EQ(-1, s.ReverseFind(L'z'));
    EXPECT_EQ(-1, s.Find(static_cast<const wchar_t*>(nullptr)));

    s.MakeUpper();
    EXPECT_STREQ(L"ELLO WORL", s.GetString());
    VString n("mIxEd 9");
    n.MakeUpper();
    EXPECT_STREQ("MIXED 9", n.GetString());
}

TEST(CoreStringOps, SubstringsAreClippedToTheString)
{
    const VUnicodeString s(L"abcdef");
    EXPECT_STREQ(L"ab", s.Left(2).GetString());
    EXPECT_STREQ(L"abcdef", s.Left(99).GetString());
    EXPECT_STREQ(L"", s.Left(-1).GetString());
    EXPECT_STREQ(L"ef", s.Right(2).GetString());
    EXPECT_STREQ(L"abcdef", s.Right(99).GetString());
    EXPECT_STREQ(L"", s.Right(0).GetString());
    EXPECT_STREQ(L"cd", s.Mid(2, 2).GetString());
    EXPECT_STREQ(L"cdef", s.Mid(2).GetString());
    EXPECT_STREQ(L"ab", s.Mid(-3, 2).GetString());
    EXPECT_STREQ(L"", s.Mid(10).GetString());
    EXPECT_STREQ(L"ef", s.Mid(4, 50).GetString());
    EXPECT_EQ(s.GetString(), s.Mid(0).GetString()); // the whole string is shared, not copied
}

TEST(CoreStringOps, ComparesCaseSensitivelyWithPrefixesFirst)
{
    const VUnicodeString ab(L"ab");
    EXPECT_TRUE(ab == L"ab");
    EXPECT_TRUE(L"ab" == ab);
    EXPECT_TRUE(ab != L"AB");
    EXPECT_TRUE(ab != L"abc");
    EXPECT_TRUE(ab < VUnicodeString(L"abc"));
    EXPECT_TRUE(VUnicodeString(L"abc") > ab);
    EXPECT_TRUE(VUnicodeString(L"aa") < ab);
    EXPECT_TRUE(VUnicodeString(L"b") > ab);
    EXPECT_TRUE(VUnicodeString() < ab);
    EXPECT_EQ(0, VUnicodeString().Compare(static_cast<const wchar_t*>(nullptr)));
    EXPECT_GT(0, ab.Compare(L"abc"));
    EXPECT_LT(0, ab.Compare(L"a"));

    EXPECT_EQ(0, ab.CompareNoCase(L"AB"));
    EXPECT_GT(0, ab.CompareNoCase(L"ABC"));
    EXPECT_LT(0, VUnicodeString(L"abd").CompareNoCase(VUnicodeString(L"ABC")));

    // A length counts even where the C strings agree: the embedded NUL ends neither text early.
    const VUnicodeString withNul(L"ab\0c", 4);
    EXPECT_EQ(4, withNul.GetLength());
    EXPECT_TRUE(withNul != ab);

    EXPECT_TRUE(VString("x") == "x");
    EXPECT_TRUE(VString("x") != "X");
    EXPECT_TRUE(VString("x") < VString("xy"));
    EXPECT_EQ(0, VString("Mixed").CompareNoCase("mIXED"));
}

TEST(CoreStringOps, BufferWritesTakeTheGivenOrFoundLength)
{
    VUnicodeString s(L"ab");
    wchar_t* buffer = s.GetBuffer(10);
    EXPECT_STREQ(L"ab", buffer);
    wcscpy(buffer, L"0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(10, s.GetLength());
    EXPECT_STREQ(L"0123456789", s.GetString());

    s.GetBuffer(0);
    s.ReleaseBuffer(4);
    EXPECT_STREQ(L"0123", s.GetString());

    // A request below the current length still leaves the whole text in the buffer.
    VUnicodeString t(L"keep me");
    EXPECT_STREQ(L"keep me", t.GetBuffer(2));
    t.ReleaseBuffer();
    EXPECT_STREQ(L"keep me", t.GetString());

    VString n;
    strcpy(n.GetBuffer(5), "bytes");
    n.ReleaseBuffer();
    EXPECT_STREQ("bytes", n.GetString());
}

TEST(CoreStringOps, IndexErrorsRaiseTheStringExceptionAndChangeNothing)
{
    IndexExceptionRecorder recorder;
    VUnicodeString s(L"abc");

    s.Delete(3);
    EXPECT_EQ(1, recorder.Count());
    s.Delete(-1);
    EXPECT_EQ(2, recorder.Count());
    EXPECT_STREQ(L"abc", s.GetString());

    EXPECT_EQ(L'\0', s.GetAt(4));
    EXPECT_EQ(3, recorder.Count());
    EXPECT_EQ(L'\0', s[-1]);
    EXPECT_EQ(4, recorder.Count());

    EXPECT_EQ(-1, s.Find(L"a", 4));
    EXPECT_EQ(-1, s.Find(L'a', -1));
    EXPECT_EQ(6, recorder.Count());

    s.SetAt(3, L'x');
    EXPECT_EQ(7, recorder.Count());
    EXPECT_STREQ(L"abc", s.GetString());

    s.GetBuffer(4);
    s.ReleaseBuffer(100); // more than the buffer holds: the length found in the buffer is kept
    EXPECT_EQ(8, recorder.Count());
    EXPECT_STREQ(L"abc", s.GetString());

    VString n("xy");
    n.Delete(2);
    EXPECT_EQ(-1, n.Find("x", 3));
    EXPECT_EQ(10, recorder.Count());
    EXPECT_STREQ("xy", n.GetString());
    EXPECT_EQ(0, recorder.Irregular());
}

TEST(CoreStringOps, TheEndOfTheStringIsAValidPosition)
{
    IndexExceptionRecorder recorder;
    const VUnicodeString s(L"abc");
    EXPECT_EQ(L'\0', s[3]);
    EXPECT_EQ(s.GetString() + 3, &s[3]);
    EXPECT_EQ(-1, s.Find(L"a", 3));
    EXPECT_EQ(-1, s.Find(L'c', 3));
    EXPECT_EQ(L'c', s.GetAt(2));
    EXPECT_EQ(0, recorder.Count());
}
