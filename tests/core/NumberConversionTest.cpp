// Base-10 conversions, lenient and strict, signed and unsigned, wide and narrow.
#include <gtest/gtest.h>

#include "core/Str.h"
#include "core/VString.h"
#include "core/VUnicodeString.h"

#include <climits>
#include <string>

namespace
{

struct Case
{
    const char* text;
    bool ok;       // lenient
    bool strictOk; // followed by white space only
    long long value;
};

void CheckSigned(const Case& c)
{
    SCOPED_TRACE(c.text);
    const std::wstring wide(c.text, c.text + std::char_traits<char>::length(c.text));
    int value = 12345;
    EXPECT_EQ(c.ok, Str::ToInt(wide.c_str(), value));
    EXPECT_EQ(c.value, value);
    value = 12345;
    EXPECT_EQ(c.strictOk, Str::ToIntStrict(wide.c_str(), value));
    EXPECT_EQ(c.value, value);
    value = 12345;
    EXPECT_EQ(c.strictOk, Str::ToIntStrict(c.text, value));
    EXPECT_EQ(c.value, value);
    EXPECT_EQ(c.ok, VString(c.text).ToInt(value));
    EXPECT_EQ(c.strictOk, VUnicodeString(wide.c_str()).ToIntStrict(value));
}

void CheckUnsigned(const Case& c)
{
    SCOPED_TRACE(c.text);
    const std::wstring wide(c.text, c.text + std::char_traits<char>::length(c.text));
    unsigned int value = 12345;
    EXPECT_EQ(c.ok, Str::ToUInt(wide.c_str(), value));
    EXPECT_EQ(static_cast<unsigned int>(c.value), value);
    value = 12345;
    EXPECT_EQ(c.strictOk, Str::ToUIntStrict(wide.c_str(), value));
    EXPECT_EQ(static_cast<unsigned int>(c.value), value);
    value = 12345;
    EXPECT_EQ(c.ok, Str::ToUInt(c.text, value));
    EXPECT_EQ(static_cast<unsigned int>(c.value), value);
    EXPECT_EQ(c.strictOk, VString(c.text).ToUIntStrict(value));
    EXPECT_EQ(c.ok, VUnicodeString(wide.c_str()).ToUInt(value));
}

} // namespace

TEST(CoreConversion, SignedTextsAndWhatIsStored)
{
    const Case cases[] = {
        {"5", true, true, 5},
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
        {"-2147483649", false, false, INT_MIN},
    };
    for (const Case& c : cases)
        CheckSigned(c);
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
        {"abc", false, false, 0},
    };
    for (const Case& c : cases)
        CheckUnsigned(c);
}

TEST(CoreConversion, NullTextFailsAndLeavesTheValue)
{
    int i = 7;
    unsigned int u = 8;
    EXPECT_FALSE(Str::ToInt(static_cast<const wchar_t*>(nullptr), i));
    EXPECT_FALSE(Str::ToIntStrict(static_cast<const char*>(nullptr), i));
    EXPECT_FALSE(Str::ToUInt(static_cast<const wchar_t*>(nullptr), u));
    EXPECT_FALSE(Str::ToUIntStrict(static_cast<const char*>(nullptr), u));
    EXPECT_EQ(7, i);
    EXPECT_EQ(8u, u);
}
