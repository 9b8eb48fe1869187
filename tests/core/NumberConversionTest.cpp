// Base-10 conversions, lenient and strict, signed and unsigned, through Str and both string classes.
#include "StringTest.h"

#include <climits>

namespace
{
// A lenient conversion reads the number the text starts with; a strict one also needs nothing but white
// space after it. Either stores the same value, failing or not.
enum Verdict
{
    Fails,
    Lenient,
    Strict
};

template <class S, class T>
void Check(const char* text, Verdict verdict, T expected, bool (S::*lenient)(T&) const,
           bool (S::*strict)(T&) const)
{
    const S s = StringTest<S>::Make(text);
    T value = 12345;
    EXPECT_EQ(verdict != Fails, (s.*lenient)(value));
    EXPECT_EQ(expected, value);
    value = 12345;
    EXPECT_EQ(verdict == Strict, (s.*strict)(value));
    EXPECT_EQ(expected, value);
}

// The unsigned conversion rejects signs and overflow; it negates in unsigned arithmetic, and the value it
// stores for "-5" is what it returned.
TEST(CoreConversion, SignedAndUnsignedTextsAndWhatIsStored)
{
    const struct
    {
        const char* text;
        Verdict signedVerdict;
        int signedValue;
        Verdict unsignedVerdict;
        unsigned int unsignedValue;
    } cases[] = {{"5", Strict, 5, Strict, 5},
                 {"  +17", Strict, 17, Strict, 17},
                 {"5\t\r\n ", Strict, 5, Strict, 5},
                 {"-5", Strict, -5, Fails, static_cast<unsigned int>(-5)},
                 {" -0", Strict, 0, Fails, 0},
                 {"5 x", Lenient, 5, Lenient, 5},
                 {"", Fails, 0, Fails, 0},
                 {"x5", Fails, 0, Fails, 0},
                 {"-", Fails, 0, Fails, 0},
                 {"2147483647", Strict, INT_MAX, Strict, INT_MAX},
                 {"-2147483648", Strict, INT_MIN, Fails, 0x80000000u},
                 {"2147483648", Fails, INT_MAX, Strict, 0x80000000u},
                 {"-2147483649", Fails, INT_MIN, Fails, 0x7FFFFFFFu},
                 {"4294967295", Fails, INT_MAX, Strict, UINT_MAX},
                 {"4294967296", Fails, INT_MAX, Fails, UINT_MAX}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        Check(c.text, c.signedVerdict, c.signedValue, &VUnicodeString::ToInt, &VUnicodeString::ToIntStrict);
        Check(c.text, c.signedVerdict, c.signedValue, &VString::ToInt, &VString::ToIntStrict);
        Check(c.text, c.unsignedVerdict, c.unsignedValue, &VUnicodeString::ToUInt,
              &VUnicodeString::ToUIntStrict);
        Check(c.text, c.unsignedVerdict, c.unsignedValue, &VString::ToUInt, &VString::ToUIntStrict);
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
    EXPECT_TRUE(i == 7 && u == 8);
}
} // namespace
