// FormatMessage-style formatting and its fallbacks.
#include <gtest/gtest.h>

#include "core/VString.h"
#include "core/VUnicodeString.h"

#include <cstdint>

namespace
{

// On 64-bit Windows a va_list is a pointer to consecutive 8-byte argument slots, so a test can hand the
// formatter exactly the inserts it wants, including ones that cannot be read.
int FormatWithSlots(VUnicodeString& s, const wchar_t* format, std::uintptr_t* slots)
{
    return s.FormatV(format, reinterpret_cast<va_list>(slots));
}

int FormatWithSlots(VString& s, const char* format, std::uintptr_t* slots)
{
    return s.FormatV(format, reinterpret_cast<va_list>(slots));
}

} // namespace

TEST(CoreStringFormat, ExpandsNumberedInsertsWithTheirTypes)
{
    VUnicodeString s;
    EXPECT_EQ(8, s.Format(L"%1!d! of %2", 5, L"abc"));
    EXPECT_STREQ(L"5 of abc", s.GetString());

    EXPECT_EQ(12, s.Format(L"%2-%1!08x!-%2", 0xBEEFu, L"z"));
    EXPECT_STREQ(L"z-0000beef-z", s.GetString());
    EXPECT_EQ(12, s.GetLength());

    EXPECT_EQ(3, s.Format(L"%1!d!", -42));
    EXPECT_STREQ(L"-42", s.GetString());

    VString n;
    EXPECT_EQ(5, n.Format("%1!d!-%2", 12, "ab"));
    EXPECT_STREQ("12-ab", n.GetString());
}

TEST(CoreStringFormat, UnreadableInsertsLeaveTheFormatTextUnexpanded)
{
    // The first insert points nowhere: the formatter faults while reading it.
    std::uintptr_t unreadable[] = {1, 1, 1, 1};
    VUnicodeString s(L"before");
    EXPECT_EQ(9, FormatWithSlots(s, L"%1 and %2", unreadable));
    EXPECT_STREQ(L"%1 and %2", s.GetString());

    VString n("before");
    EXPECT_EQ(12, FormatWithSlots(n, "%1!s! and %2", unreadable));
    EXPECT_STREQ("%1!s! and %2", n.GetString());

    // The string still works normally afterwards.
    EXPECT_EQ(1, s.Format(L"%1!d!", 3));
    EXPECT_STREQ(L"3", s.GetString());
}

TEST(CoreStringFormat, BrokenPlaceholderFallsBackToTheFormatText)
{
    // An unterminated type is a bad parameter: the text comes out with its placeholder as written.
    VUnicodeString s(L"before");
    EXPECT_EQ(4, s.Format(L"%1!d", 5));
    EXPECT_STREQ(L"%1!d", s.GetString());

    // A lone trailing "%" fails the fallback as well, so the string keeps its text.
    VUnicodeString t(L"unchanged");
    EXPECT_EQ(-1, t.Format(L"abc%", 5));
    EXPECT_STREQ(L"unchanged", t.GetString());
}

TEST(CoreStringFormat, OtherFailuresLeaveTheStringUnchanged)
{
    // "%0" ends the output at once: the formatter produces nothing, which it reports as a failure other
    // than a bad parameter or an overflow.
    VUnicodeString s(L"unchanged");
    EXPECT_EQ(-1, s.Format(L"%0"));
    EXPECT_STREQ(L"unchanged", s.GetString());
    EXPECT_EQ(-1, s.Format(nullptr));
    EXPECT_STREQ(L"unchanged", s.GetString());

    VString n("unchanged");
    EXPECT_EQ(-1, n.Format("%0"));
    EXPECT_STREQ("unchanged", n.GetString());
}

TEST(CoreStringFormat, EmptyFormatGivesAnEmptyString)
{
    VUnicodeString s(L"text", Str::Sensitive);
    EXPECT_EQ(0, s.Format(L""));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_TRUE(s.IsSensitive());
}

TEST(CoreStringFormat, FormattingASharedCopyLeavesTheOtherCopy)
{
    const VUnicodeString original(L"original");
    VUnicodeString copy(original);
    copy.Format(L"%1", L"new");
    EXPECT_STREQ(L"new", copy.GetString());
    EXPECT_STREQ(L"original", original.GetString());
}
