// VCheckListBox in a real dialog: rows sized from the dialog's font, the placeholder fitted to whole rows,
// scrolling by rows, toggling with mouse messages in each mode, and the painted boxes and read-only look.
#include "controls/VCheckListBox.h"

#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using controlstest::CHostDialog;
using controlstest::CountPixels;

namespace
{
int g_nChanges = 0;
constexpr int kColumns[] = {120, 150}; // in the list's client coordinates

// A host dialog with a list over its placeholder (height in pixels), two columns and nRows rows.
struct ListInDialog
{
    CHostDialog host;
    VCheckListBox list;
    bool bMade = false;

    explicit ListInDialog(int nHeight, int nRows = 0, UINT nIDTemplate = IDD_CONTROLS_HOST)
        : host(nIDTemplate)
    {
        host.GetDlgItem(IDC_CONTROLS_PLACEHOLDER)->SetWindowPos(nullptr, 8, 8, 260, nHeight, SWP_NOZORDER);
        bMade =
            host.m_bMade && list.Create(WS_VISIBLE, &host, IDC_CONTROLS_PLACEHOLDER, [] { ++g_nChanges; });
        CPoint origin(0, 0);
        list.ClientToScreen(&origin);
        for (int x : kColumns)
            list.AddCheckColumn(origin.x + x);
        for (int i = 0; i < nRows; ++i)
            list.AddItem(L"Alpha");
    }
    CRect Box(int visibleRow, int column) const
    {
        const int top = visibleRow * (list.GetCheckWidth() + 2) + 1;
        return CRect(kColumns[column], top, kColumns[column] + list.GetCheckWidth(),
                     top + list.GetCheckWidth());
    }
    void Click(CPoint point) { list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y)); }
    std::vector<int> States(int item) const
    {
        return {list.GetCheckState(item, 0), list.GetCheckState(item, 1)};
    }
};
} // namespace

// Rows are the font's height but at least 16 pixels; the list keeps whole rows of its placeholder, and the
// scroll bar comes with the first row that does not fit.
TEST(ControlsCheckList, RowsFollowTheFontAndThePlaceholderKeepsWholeRows)
{
    CHostDialog big(IDD_CONTROLS_HOST_BIG_FONT);
    CClientDC dc(&big);
    dc.SelectObject(reinterpret_cast<HFONT>(big.SendMessage(WM_GETFONT)));
    TEXTMETRIC tm = {};
    dc.GetTextMetrics(&tm);
    ASSERT_GT(tm.tmHeight, 16); // the small template's font is shorter than 16
    for (int row : {16, static_cast<int>(tm.tmHeight)})
    {
        const int cases[][2] = {{4 * row + 4, 4}, {4 * row + 3, 3}, {5 * row + 3, 4}, {2 * row + 10, 2}};
        for (const auto& c : cases)
        {
            SCOPED_TRACE(testing::Message() << "row " << row << ", placeholder " << c[0]);
            ListInDialog d(c[0], 0, row == 16 ? IDD_CONTROLS_HOST : IDD_CONTROLS_HOST_BIG_FONT);
            ASSERT_TRUE(d.bMade);
            EXPECT_EQ(d.list.GetCheckWidth(), row - 2);
            CRect window;
            d.list.GetWindowRect(&window);
            EXPECT_EQ(window.Height(), c[1] * row + 4);
            for (int i = 0; i < c[1]; ++i)
                EXPECT_EQ(d.list.AddItem(L"Row"), i);
            EXPECT_FALSE(d.list.GetStyle() & WS_VSCROLL);
            d.list.AddItem(L"One too many");
            int nMin = -1, nMax = -1;
            d.list.GetScrollRange(SB_VERT, &nMin, &nMax);
            EXPECT_TRUE(nMin == 0 && nMax == 1 && (d.list.GetStyle() & WS_VSCROLL));
        }
    }
}

// Each scroll code moves the top row as it should, only a real move repaints, and a click then hits the
// row shown at the top.
TEST(ControlsCheckList, ScrollsByRowsAndClicksHitTheRowsInView)
{
    ListInDialog d(4 * 16 + 4, 10);
    ASSERT_TRUE(d.bMade);
    const UINT steps[][3] = {{SB_LINEUP, 0, 0},     {SB_LINEDOWN, 0, 1},      {SB_PAGEDOWN, 0, 4},
                             {SB_PAGEDOWN, 0, 6},   {SB_LINEDOWN, 0, 6},      {SB_PAGEDOWN, 0, 6},
                             {SB_PAGEUP, 0, 3},     {SB_PAGEUP, 0, 0},        {SB_PAGEUP, 0, 0},
                             {SB_THUMBTRACK, 5, 5}, {SB_THUMBPOSITION, 2, 2}, {SB_BOTTOM, 0, 6},
                             {SB_ENDSCROLL, 0, 6}};
    int top = 0;
    for (const auto& s : steps)
    {
        SCOPED_TRACE(testing::Message() << "code " << s[0] << " to " << s[2]);
        d.list.UpdateWindow();
        d.list.SendMessage(WM_VSCROLL, MAKEWPARAM(s[0], s[1]), 0);
        EXPECT_EQ(d.list.GetScrollPos(SB_VERT), static_cast<int>(s[2]));
        EXPECT_EQ(::GetUpdateRect(d.list.m_hWnd, nullptr, FALSE) != FALSE, static_cast<int>(s[2]) != top);
        top = static_cast<int>(s[2]);
        d.Click(d.Box(0, 0).CenterPoint());
        EXPECT_EQ(d.list.GetCheckState(top, 0), 1);
        d.list.SetCheckState(top, 0, 0);
    }
}

// Clicks toggle a box by the list's mode and call back; read-only lists and clicks beside the boxes, below
// the rows or above the list change nothing. Bad indexes throw; rows out of view are not repainted.
TEST(ControlsCheckList, MouseTogglesByTheListsMode)
{
    const struct
    {
        bool radio, readOnly;
        int before[2], dx, row, after[2];
    } cases[] = {{true, false, {0, 1}, 0, 1, {1, 0}},  {true, false, {1, 0}, 0, 1, {0, 0}},
                 {false, false, {0, 1}, 0, 1, {1, 1}}, {true, false, {2, 0}, 0, 1, {0, 0}},
                 {true, true, {0, 1}, 0, 1, {0, 1}},   {true, false, {0, 1}, 9, 1, {0, 1}},
                 {true, false, {0, 1}, 0, 2, {0, 1}},  {true, false, {0, 1}, 0, -1, {0, 1}}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message()
                     << c.radio << c.readOnly << c.before[0] << c.before[1] << c.dx << c.row);
        ListInDialog d(3 * 16 + 4, 2);
        d.list.SetRadioStyle(false);
        d.list.SetCheckState(1, 0, c.before[0]);
        d.list.SetCheckState(1, 1, c.before[1]);
        d.list.SetRadioStyle(c.radio);
        d.list.SetReadOnly(c.readOnly);
        g_nChanges = 0;
        d.Click(d.Box(c.row, 0).CenterPoint() + CPoint(c.dx, 0));
        EXPECT_EQ(d.States(1), std::vector<int>(c.after, c.after + 2));
        EXPECT_EQ(g_nChanges, c.after[0] != c.before[0] ? 1 : 0);
    }
    ListInDialog d(2 * 16 + 4, 3);
    EXPECT_THROW(d.list.SetCheckState(3, 0, 1), VArray<VCheckListBox::Item>::OutOfRange);
    EXPECT_THROW(d.list.SetCheckState(0, 2, 1), VArray<int>::OutOfRange);
    d.list.UpdateWindow();
    d.list.SetCheckState(2, 0, 1); // rows 0 and 1 are shown
    EXPECT_FALSE(::GetUpdateRect(d.list.m_hWnd, nullptr, FALSE));
}

// Checked boxes (a state of 2 too) show a mark and unchecked ones none; texts are drawn at the left; a
// read-only list has the button-face background and inactive boxes.
TEST(ControlsCheckList, PaintsBoxesTextsAndTheReadOnlyLook)
{
    const COLORREF window = ::GetSysColor(COLOR_WINDOW), face = ::GetSysColor(COLOR_BTNFACE);
    for (bool readOnly : {false, true})
    {
        ListInDialog d(4 * 16 + 4, 3);
        d.list.SetRadioStyle(false);
        d.list.SetCheckState(0, 0, 1);
        d.list.SetCheckState(2, 1, 2);
        d.list.SetReadOnly(readOnly);
        d.list.Invalidate();
        const COLORREF background = readOnly ? face : window;
        for (int item = 0; item < 3; ++item)
        {
            SCOPED_TRACE(testing::Message() << readOnly << ", row " << item);
            const CRect right(kColumns[1] + 16, item * 16, 250, (item + 2) * 16);
            EXPECT_EQ(CountPixels(d.list, right, background), right.Width() * right.Height());
            const CRect label(2, item * 16, kColumns[0] - 2, (item + 1) * 16);
            EXPECT_GT(CountPixels(d.list, label, ::GetSysColor(COLOR_WINDOWTEXT)), 0);
            for (int column = 0; column < 2; ++column)
            {
                CRect inside = d.Box(item, column);
                inside.DeflateRect(3, 3);
                const int marks = CountPixels(d.list, inside, [&](COLORREF p) { return p != background; });
                EXPECT_EQ(marks > 0, d.list.GetCheckState(item, column) != 0) << column;
                EXPECT_EQ(CountPixels(d.list, inside, readOnly ? window : face), 0) << column;
            }
        }
    }
}
