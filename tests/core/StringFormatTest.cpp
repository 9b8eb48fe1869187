// FormatMessage-style formatting of both string classes and its fallbacks.
#include "StringTest.h"

#include <cstdint>

template <class S> class CoreStringFormat : public StringTest<S>
{
public:
    // On 64-bit Windows a va_list is a pointer to consecutive 8-byte argument slots, so a test can hand the
    // formatter exactly the inserts it wants, including ones that cannot be read.
    static int FormatWithSlots(S& s, const char* format, std::uintptr_t* slots)
    {
        return s.FormatV(StringTest<S>::Of(format).c_str(), reinterpret_cast<va_list>(slots));
    }
};
TYPED_TEST_SUITE(CoreStringFormat, BothStrings);

TYPED_TEST(CoreStringFormat, ExpandsNumberedInsertsWithTheirTypes)
{
    using F = TestFixture;
    TypeParam s;
    EXPECT_EQ(8, s.Format(F::Of("%1!d! of %2").c_str(), 5, F::Of("abc").c_str()));
    EXPECT_EQ("5 of abc", Ascii(s));
    EXPECT_EQ(12, s.Format(F::Of("%2-%1!08x!-%2").c_str(), 0xBEEFu, F::Of("z").c_str()));
    EXPECT_EQ("z-0000beef-z", Ascii(s));
    EXPECT_EQ(3, s.Format(F::Of("%1!d!").c_str(), -42));
    EXPECT_EQ("-42", Ascii(s));
}

TYPED_TEST(CoreStringFormat, UnexpandableInsertsGiveTheFormatTextOtherFailuresChangeNothing)
{
    using F = TestFixture;
    // The first insert points nowhere: the formatter faults while reading it.
    std::uintptr_t unreadable[] = {1, 1, 1, 1};
    TypeParam s = F::Make("before");
    EXPECT_EQ(12, F::FormatWithSlots(s, "%1!s! and %2", unreadable));
    EXPECT_EQ("%1!s! and %2", Ascii(s));
    // An unterminated type is a bad parameter: the text comes out with its placeholder as written.
    EXPECT_EQ(4, s.Format(F::Of("%1!d").c_str(), 5));
    EXPECT_EQ("%1!d", Ascii(s));

    // A lone trailing "%" fails the fallback as well; "%0" ends the output at once, which the formatter
    // reports as a failure other than a bad parameter or an overflow.
    const char* failing[] = {"abc%", "%0"};
    for (const char* format : failing)
    {
        TypeParam unchanged = F::Make("unchanged");
        EXPECT_EQ(-1, unchanged.Format(F::Of(format).c_str(), 5)) << format;
        EXPECT_EQ("unchanged", Ascii(unchanged));
    }
    EXPECT_EQ(-1, s.Format(nullptr));
    EXPECT_EQ("%1!d", Ascii(s));

    TypeParam secret = F::Make("text", Str::Sensitive);
    EXPECT_EQ(0, secret.Format(F::Of("").c_str()));
    EXPECT_TRUE(secret.IsEmpty());
    EXPECT_TRUE(secret.IsSensitive());
}
