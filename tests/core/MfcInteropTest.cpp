// The members that meet the host's MFC types: CString and CRect.
#include <gtest/gtest.h>

#include "core/VRect.h"
#include "core/VString.h"
#include "core/VUnicodeString.h"

TEST(CoreMfcInterop, WideStringComparesWithCStringByLengthAndCharacters)
{
    const CString host(L"Value");
    const VUnicodeString same(host);
    EXPECT_STREQ(L"Value", same.GetString());
    EXPECT_TRUE(same == host);
    EXPECT_TRUE(host == same);
    EXPECT_FALSE(same != host);

    EXPECT_TRUE(VUnicodeString(L"value") != host);
    EXPECT_TRUE(VUnicodeString(L"Val") != host);
    EXPECT_TRUE(VUnicodeString(L"Values") != host);
    EXPECT_TRUE(host != VUnicodeString(L"Values"));
    EXPECT_TRUE(VUnicodeString() == CString());
    EXPECT_TRUE(VUnicodeString(L"ab\0c", 4) != CString(L"ab"));
}

TEST(CoreMfcInterop, NarrowStringComparesWithTheConvertedCString)
{
    const CString host(L"Value");
    const VString narrow(host);
    EXPECT_STREQ("Value", narrow.GetString());
    EXPECT_TRUE(narrow == host);
    EXPECT_TRUE(host == narrow);
    EXPECT_TRUE(VString("value") != host);
    EXPECT_TRUE(VString("Valu") != host);
    EXPECT_TRUE(host != VString("Value!"));
}

TEST(CoreMfcInterop, ConstructionAndAssignmentFromCStringKeepSensitivity)
{
    const VUnicodeString secret(CString(L"pw"), Str::Sensitive);
    EXPECT_TRUE(secret.IsSensitive());
    EXPECT_TRUE(VString(CString(L"pw"), Str::Sensitive).IsSensitive());
    EXPECT_FALSE(VUnicodeString(CString(L"pw")).IsSensitive());

    VUnicodeString wide(L"old", Str::Sensitive);
    wide = CString(L"new text");
    EXPECT_STREQ(L"new text", wide.GetString());
    EXPECT_TRUE(wide.IsSensitive());

    VString narrow("old", Str::Sensitive);
    narrow = CString(L"new text");
    EXPECT_STREQ("new text", narrow.GetString());
    EXPECT_TRUE(narrow.IsSensitive());

    VString plain("old");
    plain = CString();
    EXPECT_TRUE(plain.IsEmpty());
    EXPECT_FALSE(plain.IsSensitive());
}

TEST(CoreMfcInterop, RectangleTravelsToAndFromCRect)
{
    const CRect source(-3, 4, 100, 200);
    const VRect rect(source);
    EXPECT_EQ(VRect(-3, 4, 100, 200), rect);
    const CRect back = rect.ToCRect();
    EXPECT_EQ(-3, back.left);
    EXPECT_EQ(4, back.top);
    EXPECT_EQ(100, back.right);
    EXPECT_EQ(200, back.bottom);
    EXPECT_EQ(VRect(source), VRect(VRect(source).ToString()));
}
