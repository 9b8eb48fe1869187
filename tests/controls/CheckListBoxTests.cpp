// VCheckListBox in a real dialog: rows sized from the dialog's font, the placeholder's height fitted to whole
// rows, the scroll bar and scrolling by rows, toggling with mouse messages in radio, plain and read-only
// modes, and the boxes, background and text as painted.
#include "controls/VCheckListBox.h"

#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using controlstest::CHostDialog;
using controlstest::CountPixels;
using controlstest::Is;

namespace
{
int g_nChanges = 0;
void OnChanged()
{
    ++g_nChanges;
}

// Left edges of the two columns, in the list's client coordinates.
constexpr int kColumns[] = {120, 150};

// A host dialog with a list over its placeholder, two columns and some rows.
struct ListInDialog
{
    CHostDialog host;
    VCheckListBox list;

    // placeholderHeight in pixels.
    explicit ListInDialog(int placeholderHeight, int nRows = 0, UINT nIDTemplate = IDD_CONTROLS_HOST)
        : host(nIDTemplate)
    {
        host.GetDlgItem(IDC_CONTROLS_PLACEHOLDER)
            ->SetWindowPos(nullptr, 8, 8, 260, placeholderHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        bMade = list.Create(WS_VISIBLE, &host, IDC_CONTROLS_PLACEHOLDER, &OnChanged) != FALSE;
        if (!bMade)
            return;
        CPoint origin(0, 0);
        list.ClientToScreen(&origin);
        for (int x : kColumns)
            list.AddCheckColumn(origin.x + x);
        const wchar_t* names[] = {L"Alpha", L"Beta", L"Gamma", L"Delta", L"Epsilon"};
        for (int i = 0; i < nRows; ++i)
            list.AddItem(names[i % 5]);
    }

    int Row() const { return list.GetCheckWidth() + 2; }
    bool HasScrollBar() const { return (list.GetStyle() & WS_VSCROLL) != 0; }
    CRect Box(int visibleRow, int column) const
    {
        const int top = visibleRow * Row() + 1;
        return CRect(kColumns[column], top, kColumns[column] + list.GetCheckWidth(),
                     top + list.GetCheckWidth());
    }
    void Click(CPoint point) { list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y)); }
    void ClickBox(int visibleRow, int column) { Click(Box(visibleRow, column).CenterPoint()); }
    std::vector<int> States(int item) const
    {
        return {list.GetCheckState(item, 0), list.GetCheckState(item, 1)};
    }
    bool Painted()
    {
        list.UpdateWindow();
        return !::GetUpdateRect(list.m_hWnd, nullptr, FALSE);
    }
    bool made() const { return host.m_bMade && bMade; }
    bool bMade = false;
};

// The height of a dialog template's font, as the dialog made it.
int FontHeight(UINT nIDTemplate)
{
    CHostDialog dialog(nIDTemplate);
    CClientDC dc(&dialog);
    HGDIOBJ old = ::SelectObject(dc.m_hDC, reinterpret_cast<HFONT>(dialog.SendMessage(WM_GETFONT)));
    TEXTMETRIC tm = {};
    ::GetTextMetricsW(dc.m_hDC, &tm);
    ::SelectObject(dc.m_hDC, old);
    return tm.tmHeight;
}
} // namespace

// Rows are the font's height but at least 16 pixels; the list keeps only whole rows of its placeholder's
// height, and the scroll bar appears with the first row that does not fit.
TEST(ControlsCheckList, RowsFollowTheFontAndThePlaceholderKeepsWholeRows)
{
    ASSERT_LT(FontHeight(IDD_CONTROLS_HOST), 16); // the short case
    const int bigHeight = FontHeight(IDD_CONTROLS_HOST_BIG_FONT);
    ASSERT_GT(bigHeight, 16);
    for (UINT nIDTemplate : {IDD_CONTROLS_HOST, IDD_CONTROLS_HOST_BIG_FONT})
    {
        const int row = nIDTemplate == IDD_CONTROLS_HOST ? 16 : bigHeight;
        const struct
        {
            int placeholder;
            int visible;
        } cases[] = {{4 * row + 4, 4}, {4 * row + 3, 3}, {5 * row + 3, 4}, {2 * row + 10, 2}};
        for (const auto& c : cases)
        {
            SCOPED_TRACE(testing::Message() << "row " << row << ", placeholder " << c.placeholder);
            ListInDialog d(c.placeholder, 0, nIDTemplate);
            ASSERT_TRUE(d.made());
            EXPECT_EQ(d.list.GetCheckWidth(), row - 2);
            CRect window, client;
            d.list.GetWindowRect(&window);
            d.list.GetClientRect(&client);
            EXPECT_EQ(window.Height(), c.visible * row + 4);
            EXPECT_EQ(client.Height(), c.visible * row);
            EXPECT_EQ(d.list.GetCheckColumnCount(), 2);
            for (int i = 0; i < c.visible; ++i)
            {
                EXPECT_EQ(d.list.AddItem(L"Row"), i);
                EXPECT_FALSE(d.HasScrollBar());
            }
            d.list.AddItem(L"One too many");
            EXPECT_TRUE(d.HasScrollBar());
            int nMin = -1, nMax = -1;
            d.list.GetScrollRange(SB_VERT, &nMin, &nMax);
            EXPECT_EQ(nMin, 0);
            EXPECT_EQ(nMax, 1);
            EXPECT_EQ(d.list.GetCount(), c.visible + 1);
        }
    }
}

// Scroll codes move the top row as the table says, and only a real move repaints; a click afterwards hits
// the row shown at the top.
TEST(ControlsCheckList, ScrollsByRowsAndClicksHitTheRowsInView)
{
    ListInDialog d(4 * 16 + 4, 10);
    ASSERT_TRUE(d.made());
    const struct
    {
        UINT code;
        UINT pos;
        int top;
        bool moves;
    } steps[] = {
        {SB_LINEUP, 0, 0, false},    {SB_LINEDOWN, 0, 1, true},      {SB_PAGEDOWN, 0, 4, true},
        {SB_PAGEDOWN, 0, 6, true},   {SB_LINEDOWN, 0, 6, false},     {SB_PAGEDOWN, 0, 6, false},
        {SB_PAGEUP, 0, 3, true},     {SB_PAGEUP, 0, 0, true},        {SB_PAGEUP, 0, 0, false},
        {SB_THUMBTRACK, 5, 5, true}, {SB_THUMBPOSITION, 2, 2, true}, {SB_BOTTOM, 0, 6, true},
        {SB_TOP, 0, 0, true},        {SB_ENDSCROLL, 0, 0, false},
    };
    for (const auto& s : steps)
    {
        SCOPED_TRACE(testing::Message() << "code " << s.code << " to " << s.top);
        ASSERT_TRUE(d.Painted());
        d.list.SendMessage(WM_VSCROLL, MAKEWPARAM(s.code, s.pos), 0);
        EXPECT_EQ(d.list.GetScrollPos(SB_VERT), s.top);
        EXPECT_EQ(::GetUpdateRect(d.list.m_hWnd, nullptr, FALSE) != FALSE, s.moves);

        std::vector<std::vector<int>> before;
        for (int i = 0; i < 10; ++i)
            before.push_back(d.States(i));
        d.ClickBox(0, 0);
        for (int i = 0; i < 10; ++i)
        {
            std::vector<int> expected = before[i];
            if (i == s.top)
                expected[0] = expected[0] ? 0 : 1;
            EXPECT_EQ(d.States(i), expected) << "row " << i;
        }
    }
}

// Clicks toggle one box through the same rule as SetCheckState and call back; read-only lists, clicks
// beside the boxes and clicks below the last row change nothing and stay quiet.
TEST(ControlsCheckList, MouseTogglesBoxesByTheListsMode)
{
    enum Where
    {
        BoxOfColumn0,
        BetweenBoxes,
        BelowLastRow,
        AboveTheList,
    };
    const struct
    {
        const char* name;
        bool radio;
        bool readOnly;
        std::vector<int> before;
        Where where;
        std::vector<int> after;
        int changes;
    } cases[] = {
        {"radio checks and clears the row", true, false, {0, 1}, BoxOfColumn0, {1, 0}, 1},
        {"radio unchecks the checked box", true, false, {1, 0}, BoxOfColumn0, {0, 0}, 1},
        {"plain style keeps the others", false, false, {0, 1}, BoxOfColumn0, {1, 1}, 1},
        {"a state of 2 counts as checked", true, false, {2, 0}, BoxOfColumn0, {0, 0}, 1},
        {"read-only", true, true, {0, 1}, BoxOfColumn0, {0, 1}, 0},
        {"between the boxes", true, false, {0, 1}, BetweenBoxes, {0, 1}, 0},
        {"below the last row", true, false, {0, 1}, BelowLastRow, {0, 1}, 0},
        {"above the list", true, false, {0, 1}, AboveTheList, {0, 1}, 0},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        ListInDialog d(4 * 16 + 4, 2);
        ASSERT_TRUE(d.made());
        d.list.SetRadioStyle(false);
        for (int column = 0; column < 2; ++column)
            d.list.SetCheckState(1, column, c.before[column]);
        d.list.SetRadioStyle(c.radio);
        d.list.SetReadOnly(c.readOnly);
        g_nChanges = 0;
        const CRect box = d.Box(1, 0);
        switch (c.where)
        {
        case BoxOfColumn0:
            d.Click(box.CenterPoint());
            break;
        case BetweenBoxes:
            d.Click(CPoint(box.right + 1, box.CenterPoint().y));
            break;
        case BelowLastRow:
            d.Click(d.Box(2, 0).CenterPoint());
            break;
        case AboveTheList:
            d.Click(CPoint(box.CenterPoint().x, -3));
            break;
        }
        EXPECT_EQ(d.States(1), c.after);
        EXPECT_EQ(d.States(0), std::vector<int>({0, 0}));
        EXPECT_EQ(g_nChanges, c.changes);
    }
}

// Radio style clears the row's other boxes only for a checked state; out-of-range rows and columns throw
// the array's exception and change nothing; rows out of view are stored without repainting.
TEST(ControlsCheckList, SetCheckStateStoresRepaintsRowsInViewAndRefusesBadIndexes)
{
    ListInDialog d(2 * 16 + 4, 5);
    ASSERT_TRUE(d.made());
    d.list.SetCheckState(0, 1, 1);
    d.list.SetCheckState(0, 0, 1);
    EXPECT_EQ(d.States(0), std::vector<int>({1, 0}));
    d.list.SetCheckState(0, 1, 0);
    EXPECT_EQ(d.States(0), std::vector<int>({1, 0}));
    d.list.SetRadioStyle(false);
    d.list.SetCheckState(1, 1, 1);
    d.list.SetCheckState(1, 0, 1);
    EXPECT_EQ(d.States(1), std::vector<int>({1, 1}));

    EXPECT_THROW(d.list.SetCheckState(5, 0, 1), VArray<VCheckListBox::Item>::OutOfRange);
    EXPECT_THROW(d.list.SetCheckState(-1, 0, 1), VArray<VCheckListBox::Item>::OutOfRange);
    EXPECT_THROW(d.list.SetCheckState(1, 2, 0), VArray<int>::OutOfRange);
    EXPECT_THROW(d.list.GetCheckState(0, 2), VArray<int>::OutOfRange);
    EXPECT_EQ(d.States(1), std::vector<int>({1, 1}));

    ASSERT_TRUE(d.Painted());
    d.list.SetCheckState(4, 0, 1); // two rows are shown
    EXPECT_FALSE(::GetUpdateRect(d.list.m_hWnd, nullptr, FALSE));
    EXPECT_EQ(d.list.GetCheckState(4, 0), 1);
    d.list.SetCheckState(1, 0, 0);
    CRect update;
    EXPECT_TRUE(::GetUpdateRect(d.list.m_hWnd, &update, FALSE));
    EXPECT_EQ(update.top, 16);
    EXPECT_EQ(update.bottom, 32);
}

// Checked boxes (a state of 2 too) show a mark, unchecked ones none; texts are drawn at the left; a
// read-only list has the button-face background and inactive boxes.
TEST(ControlsCheckList, PaintsBoxesTextsAndTheReadOnlyLook)
{
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    ASSERT_NE(window, face);
    for (bool readOnly : {false, true})
    {
        SCOPED_TRACE(readOnly ? "read-only" : "normal");
        ListInDialog d(4 * 16 + 4, 3);
        ASSERT_TRUE(d.made());
        d.list.SetRadioStyle(false);
        d.list.SetCheckState(0, 0, 1);
        d.list.SetCheckState(2, 1, 2);
        d.list.SetReadOnly(readOnly);
        d.list.Invalidate();
        const COLORREF background = readOnly ? face : window;
        CRect client;
        d.list.GetClientRect(&client);
        const int row = d.Row();
        for (int item = 0; item < 3; ++item)
        {
            SCOPED_TRACE(testing::Message() << "row " << item);
            // Beyond the last column: background only.
            const CRect right(kColumns[1] + row, item * row, client.right, (item + 1) * row);
            EXPECT_EQ(CountPixels(d.list, right, Is(background)), right.Width() * right.Height());
            const CRect label(2, item * row, kColumns[0] - 2, (item + 1) * row);
            EXPECT_GT(CountPixels(d.list, label, Is(text)), 0);
            for (int column = 0; column < 2; ++column)
            {
                CRect inside = d.Box(item, column);
                inside.DeflateRect(3, 3);
                const bool checked = d.list.GetCheckState(item, column) != 0;
                const int marks = CountPixels(d.list, inside, [&](COLORREF p) { return p != background; });
                EXPECT_EQ(marks > 0, checked) << "column " << column;
                if (readOnly)
                    EXPECT_EQ(CountPixels(d.list, inside, Is(window)), 0) << "column " << column;
                else
                    EXPECT_EQ(CountPixels(d.list, inside, Is(face)), 0) << "column " << column;
            }
        }
        // The empty space below the rows.
        const CRect below(0, 3 * row, client.right, client.bottom);
        EXPECT_EQ(CountPixels(d.list, below, Is(background)), below.Width() * below.Height());
    }
}

// Creation needs the placeholder; a column added after the rows gives every row an unchecked box in it.
TEST(ControlsCheckList, MissingPlaceholderFailsAndLateColumnsReachEveryRow)
{
    ListInDialog d(4 * 16 + 4, 2);
    ASSERT_TRUE(d.made());
    VCheckListBox second;
    EXPECT_FALSE(second.Create(WS_VISIBLE, &d.host, IDC_CONTROLS_PLACEHOLDER + 100, nullptr));
    EXPECT_EQ(second.GetSafeHwnd(), nullptr);

    CPoint origin(0, 0);
    d.list.ClientToScreen(&origin);
    d.list.AddCheckColumn(origin.x + 180);
    EXPECT_EQ(d.list.GetCheckColumnCount(), 3);
    for (int item = 0; item < 2; ++item)
        EXPECT_EQ(d.list.GetCheckState(item, 2), 0);
    d.Click(CPoint(180 + 3, 16 + 3));
    EXPECT_EQ(d.list.GetCheckState(1, 2), 1);
    EXPECT_TRUE(d.Painted());
}
