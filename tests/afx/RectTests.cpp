#include <afxwin.h>

#include <gtest/gtest.h>

namespace
{
::testing::AssertionResult Is(const CRect& rect, int l, int t, int r, int b)
{
    if (rect.left == l && rect.top == t && rect.right == r && rect.bottom == b)
    {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "rect is (" << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom
           << "), expected (" << l << "," << t << "," << r << "," << b << ")";
}
} // namespace

TEST(AfxRect, SizeAndCorners)
{
    CRect rect(10, 20, 110, 70);
    EXPECT_EQ(100, rect.Width());
    EXPECT_EQ(50, rect.Height());
    EXPECT_TRUE(rect.Size() == CSize(100, 50));
    EXPECT_TRUE(rect.TopLeft() == CPoint(10, 20));
    EXPECT_TRUE(rect.BottomRight() == CPoint(110, 70));
    EXPECT_TRUE(rect.CenterPoint() == CPoint(60, 45));
    // The corners are the rectangle's own fields.
    rect.TopLeft() = CPoint(0, 0);
    rect.BottomRight().x = 5;
    EXPECT_TRUE(Is(rect, 0, 0, 5, 70));
    EXPECT_TRUE(Is(CRect(CPoint(1, 2), CSize(3, 4)), 1, 2, 4, 6));
    EXPECT_TRUE(Is(CRect(CPoint(1, 2), CPoint(3, 4)), 1, 2, 3, 4));
}

TEST(AfxRect, PtInRectExcludesRightAndBottom)
{
    CRect rect(0, 0, 10, 10);
    EXPECT_TRUE(rect.PtInRect(CPoint(0, 0)));
    EXPECT_TRUE(rect.PtInRect(CPoint(9, 9)));
    EXPECT_FALSE(rect.PtInRect(CPoint(10, 5)));
    EXPECT_FALSE(rect.PtInRect(CPoint(5, 10)));
    EXPECT_FALSE(rect.PtInRect(CPoint(-1, 5)));
}

TEST(AfxRect, IntersectionAndUnion)
{
    CRect a(0, 0, 10, 10);
    CRect b(5, 5, 20, 20);
    CRect result;
    EXPECT_TRUE(result.IntersectRect(a, b));
    EXPECT_TRUE(Is(result, 5, 5, 10, 10));
    EXPECT_TRUE(result.UnionRect(a, b));
    EXPECT_TRUE(Is(result, 0, 0, 20, 20));

    CRect distant(30, 30, 40, 40);
    result.SetRect(1, 2, 3, 4);
    EXPECT_FALSE(result.IntersectRect(a, distant));
    EXPECT_TRUE(result.IsRectNull());
    EXPECT_TRUE(Is(a & b, 5, 5, 10, 10));
    EXPECT_TRUE(Is(a | distant, 0, 0, 40, 40));
    // An empty rectangle adds nothing to a union.
    EXPECT_TRUE(Is(a | CRect(100, 100, 100, 200), 0, 0, 10, 10));

    CRect c = a;
    c &= b;
    EXPECT_TRUE(Is(c, 5, 5, 10, 10));
    c |= distant;
    EXPECT_TRUE(Is(c, 5, 5, 40, 40));

    CRect left;
    EXPECT_TRUE(left.SubtractRect(CRect(0, 0, 10, 10), CRect(5, 0, 10, 10)));
    EXPECT_TRUE(Is(left, 0, 0, 5, 10));
}

TEST(AfxRect, PointAndSizeArithmetic)
{
    CPoint p(3, 4);
    CSize s(10, 20);
    EXPECT_TRUE(p + s == CPoint(13, 24));
    EXPECT_TRUE(p - s == CPoint(-7, -16));
    EXPECT_TRUE(CPoint(13, 24) - p == CSize(10, 20)); // point minus point is a size
    EXPECT_TRUE(-p == CPoint(-3, -4));
    p += CSize(1, 1);
    p -= CPoint(2, 2);
    EXPECT_TRUE(p == CPoint(2, 3));
    p.Offset(-2, -3);
    EXPECT_TRUE(p == CPoint(0, 0));
    EXPECT_TRUE(s + CSize(1, 2) == CSize(11, 22));
    EXPECT_TRUE(-s == CSize(-10, -20));

    // Packed message coordinates keep their sign.
    CPoint fromMessage(static_cast<LPARAM>(MAKELPARAM(-5, 300)));
    EXPECT_TRUE(fromMessage == CPoint(-5, 300));
    CSize fromDword(static_cast<DWORD>(MAKELONG(7, -2)));
    EXPECT_TRUE(fromDword == CSize(7, -2));
}
