// Where the strings meet other texts: the host's CString and the twin of the other character type.
#include "StringTest.h"

template <class S> using CoreMfcInterop = StringTest<S>;
TYPED_TEST_SUITE(CoreMfcInterop, BothStrings);

TYPED_TEST(CoreMfcInterop, ComparesWithCStringByLengthAndCharactersAndTakesItsText)
{
    using F = TestFixture;
    const CString host(L"Value");
    const TypeParam same(host);
    EXPECT_EQ("Value", Ascii(same));
    EXPECT_TRUE(same == host && host == same);
    EXPECT_FALSE(same != host || host != same);
    const TypeParam others[] = {F::Make("value"), F::Make("Val"), F::Make("Values"),
                                TypeParam(F::Of("Value\0", 6).c_str(), 6)};
    for (const TypeParam& other : others)
    {
        EXPECT_TRUE(other != host && host != other) << Ascii(other);
        EXPECT_FALSE(other == host || host == other) << Ascii(other);
    }
    EXPECT_TRUE(TypeParam() == CString());

    // Construction and assignment from a CString keep the sensitivity.
    EXPECT_TRUE(TypeParam(CString(L"pw"), Str::Sensitive).IsSensitive());
    EXPECT_FALSE(TypeParam(CString(L"pw")).IsSensitive());
    TypeParam secret = F::Make("old", Str::Sensitive), plain = F::Make("old");
    secret = CString(L"new text");
    plain = CString();
    EXPECT_TRUE(Ascii(secret) == "new text" && secret.IsSensitive());
    EXPECT_TRUE(plain.IsEmpty() && !plain.IsSensitive());
}

TEST(CoreMfcInterop, TwinsConvertThroughTheNamedCodePage)
{
    EXPECT_STREQ(L"abc", VUnicodeString("abc").GetString());
    EXPECT_STREQ(L"ab", VUnicodeString("abc", CP_ACP, 2).GetString());
    EXPECT_STREQ("wi", VString(L"wide", CP_ACP, 2).GetString());
    // UTF-8 refuses the precomposed flag; the text must still arrive whole.
    const VUnicodeString fromUtf8("caf\xC3\xA9 \xE2\x82\xAC", CP_UTF8);
    EXPECT_STREQ(L"caf\u00E9 \u20AC", fromUtf8.GetString());
    const VString toUtf8(fromUtf8, CP_UTF8);
    EXPECT_STREQ("caf\xC3\xA9 \xE2\x82\xAC", toUtf8.GetString());
    EXPECT_EQ(9, toUtf8.GetLength());
    EXPECT_STREQ(L"caf\u00E9 \u20AC", VUnicodeString(toUtf8, CP_UTF8).GetString());
    EXPECT_TRUE(VString(static_cast<const wchar_t*>(nullptr)).IsEmpty());
    EXPECT_TRUE(VUnicodeString(static_cast<const char*>(nullptr), CP_ACP, -1, Str::Sensitive).IsSensitive());
}
