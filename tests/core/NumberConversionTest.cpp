// Base-10 conversions, lenient and strict, signed and unsigned, through Str and both string classes.
#include "StringTest.h"

#include <climits>

namespace
{

struct Case
{
    const char* text;
    bool ok;       // lenient
    bool strictOk; // followed by white space only
    long long value;
};

template <class S, class T>
void Check(const Case& c, bool (S::*lenient)(T&) const, bool (S::*strict)(T&) const)
{
    SCOPED_TRACE(c.text);
    const S s = StringTest<S>::Make(c.text);
    T value = 12345;
    EXPECT_EQ(c.ok, (s.*lenient)(value));
    EXPECT_EQ(static_cast<T>(c.value), value);
    value = 12345;
    EXPECT_EQ(c.strictOk, (s.*strict)(value));
    EXPECT_EQ(static_cast<T>(c.value), value);
}

} // namespace

TEST(CoreConversion, SignedTextsAndWhatIsStored)
{
    const Case cases[] = {{"5", true, true, 5},
                          {"-5", true, true, -5},
                          {"  +17", true, true, 17},
                          {"5   ", true, true, 5},
                          {"5\t\r\n", true, true, 5},
                          {"5x", true, false, 5},
                          {"5 x", true, false, 5},
                          {"", false, false, 0},
                          {"x5", false, false, 0},
                          {"-", false, false, 0},
                          {"2147483647", true, true, INT_MAX},
                          {"-2147483648", true, true, INT_MIN},
                          {"2147483648", false, false, INT_MAX},
                          {"-2147483649", false, false, INT_MIN}};
    for (const Case& c : cases)
    {
        Check(c, &VUnicodeString::ToInt, &VUnicodeString::ToIntStrict);
        Check(c, &VString::ToInt, &VString::ToIntStrict);
    }
}

TEST(CoreConversion, UnsignedTextsRejectSignsAndOverflow)
{
    const Case cases[] = {
        {"5", true, true, 5},
        {"5   ", true, true, 5},
        {"+5", true, true, 5},
        {"4294967295", true, true, UINT_MAX},
        {"5x", true, false, 5},
        // The converter negates in unsigned arithmetic; the stored value is what it returned.
        {"-5", false, false, static_cast<unsigned int>(-5)},
        {" -0", false, false, 0},
        {"4294967296", false, false, UINT_MAX},
        {"", false, false, 0},
        {"abc", false, false, 0}};
    for (const Case& c : cases)
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
