// Rectangles, points and sizes: the library only builds rectangles and reads their edges, so the rest has
// one smoke test.
#include <afxwin.h>

#include <gtest/gtest.h>

TEST(AfxRect, GeometrySmoke)
{
    CRect rect(10, 20, 110, 70);
    EXPECT_EQ(10, rect.left);
    EXPECT_EQ(70, rect.bottom);
    EXPECT_EQ(100, rect.Width());
    EXPECT_EQ(50, rect.Height());
    EXPECT_TRUE(rect.CenterPoint() == CPoint(60, 45));
    // The corners are the rectangle's own fields.
    rect.TopLeft() = CPoint(0, 0);
    rect.BottomRight().x = 5;
    EXPECT_TRUE(rect == CRect(0, 0, 5, 70));
    EXPECT_TRUE(CRect(CPoint(1, 2), CSize(3, 4)) == CRect(1, 2, 4, 6));

    const CRect a(0, 0, 10, 10);
    EXPECT_TRUE((a & CRect(5, 5, 20, 20)) == CRect(5, 5, 10, 10));
    EXPECT_TRUE((a | CRect(30, 30, 40, 40)) == CRect(0, 0, 40, 40));
    EXPECT_TRUE((a & CRect(30, 30, 40, 40)).IsRectNull());
    EXPECT_FALSE(a.PtInRect(CPoint(10, 5))) << "the right edge is outside";

    // Packed message coordinates keep their sign; a point minus a point is a size.
    EXPECT_TRUE(CPoint(static_cast<LPARAM>(MAKELPARAM(-5, 300))) == CPoint(-5, 300));
    EXPECT_TRUE(CPoint(13, 24) - CPoint(3, 4) == CSize(10, 20));
    EXPECT_TRUE(CPoint(3, 4) + CSize(10, 20) == CPoint(13, 24));
}
