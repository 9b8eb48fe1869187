// VRect: text form, parsing rules, normalisation.
#include <gtest/gtest.h>

#include "core/VRect.h"
#include "core/VStringArray.h"

TEST(CoreRect, TextListsBottomRightTopLeftAndReadsBack)
{
    const VRect rect(10, 20, 300, 400);
    EXPECT_STREQ(L"400, 300, 20, 10", rect.ToString().GetString());
    EXPECT_EQ(rect, VRect(rect.ToString()));

    const VRect negative(-5, -2147483647 - 1, 0, 2147483647);
    EXPECT_STREQ(L"2147483647, 0, -2147483648, -5", negative.ToString().GetString());
    EXPECT_EQ(negative, VRect(negative.ToString()));

    EXPECT_STREQ(L"0, 0, 0, 0", VRect().ToString().GetString());
}

TEST(CoreRect, ParsingIgnoresExtraPartsAndReadsWhatTheConverterReturns)
{
    const VRect extra(VUnicodeString(L"4, 3, 2, 1, 99"));
    EXPECT_EQ(VRect(1, 2, 3, 4), extra);

    // Trailing text after a number still gives the number; a part without one gives 0.
    const VRect junk(VUnicodeString(L"x, 7y, , 5"));
    EXPECT_EQ(0, junk.Bottom());
    EXPECT_EQ(7, junk.Right());
    EXPECT_EQ(0, junk.Top());
    EXPECT_EQ(5, junk.Left());

    const VRect tight(VUnicodeString(L"40,30,20,10,"));
    EXPECT_EQ(VRect(10, 20, 30, 40), tight);
}

TEST(CoreRect, FewerThanFourPartsThrow)
{
    EXPECT_THROW(VRect(VUnicodeString(L"1,2,3")), VArray<VUnicodeString>::OutOfRange);
    EXPECT_THROW(VRect(VUnicodeString(L"")), VArray<VUnicodeString>::OutOfRange);
    EXPECT_THROW(VRect(VUnicodeString(L"1 2 3 4")), VStringArray::OutOfRange);
    EXPECT_NO_THROW(VRect(VUnicodeString(L",,,")));
}

TEST(CoreRect, NormalizeSwapsInvertedEdges)
{
    VRect rect(5, 9, 1, 2);
    rect.NormalizeRect();
    EXPECT_EQ(VRect(1, 2, 5, 9), rect);

    VRect onlyVertical(1, 9, 5, 2);
    onlyVertical.NormalizeRect();
    EXPECT_EQ(VRect(1, 2, 5, 9), onlyVertical);

    VRect already(1, 2, 5, 9);
    already.NormalizeRect();
    EXPECT_EQ(VRect(1, 2, 5, 9), already);
}

TEST(CoreRect, SizesFollowTheEdges)
{
    VRect rect;
    rect.SetLeft(10);
    rect.SetTop(20);
    rect.SetRight(15);
    rect.SetBottom(50);
    EXPECT_EQ(5, rect.Width());
    EXPECT_EQ(30, rect.Height());
    rect.SetRight(0);
    EXPECT_EQ(-10, rect.Width());
    EXPECT_EQ(VRect(10, 20, 0, 50), rect);
}
