// VRect: text form, parsing rules, normalisation.
#include <gtest/gtest.h>

#include "core/VRect.h"
#include "core/VStringArray.h"

#include <utility>

TEST(CoreRect, TextListsBottomRightTopLeftAndReadsBack)
{
    const VRect rects[] = {VRect(10, 20, 300, 400), VRect(-5, -2147483647 - 1, 0, 2147483647), VRect()};
    const wchar_t* texts[] = {L"400, 300, 20, 10", L"2147483647, 0, -2147483648, -5", L"0, 0, 0, 0"};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_STREQ(texts[i], rects[i].ToString().GetString());
        EXPECT_EQ(rects[i], VRect(rects[i].ToString()));
    }
}

TEST(CoreRect, ParsingReadsWhatTheConverterReturnsAndNeedsFourParts)
{
    // Parts after the fourth are ignored; trailing text after a number still gives the number; a part
    // without one gives 0.
    const std::pair<const wchar_t*, VRect> cases[] = {{L"4, 3, 2, 1, 99", VRect(1, 2, 3, 4)},
                                                      {L"x, 7y, , 5", VRect(5, 0, 7, 0)},
                                                      {L"40,30,20,10,", VRect(10, 20, 30, 40)},
                                                      {L",,,", VRect()}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(expected, VRect(VUnicodeString(text))) << text;
    for (const wchar_t* text : {L"1,2,3", L"", L"1 2 3 4"})
        EXPECT_THROW(VRect(VUnicodeString(text)), VStringArray::OutOfRange) << text;
}

TEST(CoreRect, NormalizeSwapsInvertedEdges)
{
    for (VRect rect : {VRect(5, 9, 1, 2), VRect(1, 9, 5, 2), VRect(5, 2, 1, 9), VRect(1, 2, 5, 9)})
    {
        rect.NormalizeRect();
        EXPECT_EQ(VRect(1, 2, 5, 9), rect);
    }
}
