// Base-10 conversions, lenient and strict, signed and unsigned, through Str and both string classes.
#include "StringTest.h"

#include <climits>

namespace
{

// A lenient conversion reads the number the text starts with; a strict one also needs nothing but white
// space after it.
enum Verdict
{
    Fails,
    Lenient,
    Strict
};

struct Case
{
    const char* text;
    Verdict verdict;
    long long value; // what either conversion stores
};

template <class S, class T>
void Check(const Case& c, bool (S::*lenient)(T&) const, bool (S::*strict)(T&) const)
{
    SCOPED_TRACE(c.text);
    const S s = StringTest<S>::Make(c.text);
    T value = 12345;
    EXPECT_EQ(c.verdict != Fails, (s.*lenient)(value));
    EXPECT_EQ(static_cast<T>(c.value), value);
    value = 12345;
    EXPECT_EQ(c.verdict == Strict, (s.*strict)(value));
    EXPECT_EQ(static_cast<T>(c.value), value);
}

void CheckSigned(const Case& c)
{
    Check(c, &VUnicodeString::ToInt, &VUnicodeString::ToIntStrict);
    Check(c, &VString::ToInt, &VString::ToIntStrict);
}

} // namespace

TEST(CoreConversion, SignedAndUnsignedTextsAndWhatIsStored)
{
    const Case texts[] = {{"5", Strict, 5},    {"-5", Strict, -5},     {"  +17", Strict, 17},
                          {"5   ", Strict, 5}, {"5\t\r\n", Strict, 5}, {"5x", Lenient, 5},
                          {"5 x", Lenient, 5}, {"", Fails, 0},         {"x5", Fails, 0},
                          {"-", Fails, 0}};
    const Case limits[] = {{"2147483647", Strict, INT_MAX},
                           {"-2147483648", Strict, INT_MIN},
                           {"2147483648", Fails, INT_MAX},
                           {"-2147483649", Fails, INT_MIN}};
    for (const Case& c : texts)
        CheckSigned(c);
    for (const Case& c : limits)
        CheckSigned(c);

    // Unsigned texts reject signs and overflow. The converter negates in unsigned arithmetic; the value
    // stored for "-5" is what it returned.
    const Case unsignedTexts[] = {{"5", Strict, 5},   {"5   ", Strict, 5},
                                  {"+5", Strict, 5},  {"4294967295", Strict, UINT_MAX},
                                  {"5x", Lenient, 5}, {"-5", Fails, static_cast<unsigned int>(-5)},
                                  {" -0", Fails, 0},  {"4294967296", Fails, UINT_MAX},
                                  {"", Fails, 0},     {"abc", Fails, 0}};
    for (const Case& c : unsignedTexts)
    {
        Check(c, &VUnicodeString::ToUInt, &VUnicodeString::ToUIntStrict);
        Check(c, &VString::ToUInt, &VString::ToUIntStrict);
    }
}

TEST(CoreConversion, NullTextFailsAndLeavesTheValue)
{
    int i = 7;
    unsigned int u = 8;
    EXPECT_FALSE(Str::ToInt(static_cast<const wchar_t*>(nullptr), i));
    EXPECT_FALSE(Str::ToIntStrict(static_cast<const char*>(nullptr), i));
    EXPECT_FALSE(Str::ToUInt(static_cast<const char*>(nullptr), u));
    EXPECT_FALSE(Str::ToUIntStrict(static_cast<const wchar_t*>(nullptr), u));
    EXPECT_EQ(7, i);
    EXPECT_EQ(8u, u);
    // The free functions read the same texts as the members.
    EXPECT_TRUE(Str::ToIntStrict(L"-12 ", i) && Str::ToUIntStrict("12 ", u));
    EXPECT_EQ(-12, i);
    EXPECT_FALSE(Str::ToUInt(L"-1", u) || Str::ToInt("x", i));
}
