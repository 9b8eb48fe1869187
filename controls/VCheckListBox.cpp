#include "controls/VCheckListBox.h"

#include <algorithm>

namespace
{
constexpr int kMinRowHeight = 16;
// The client edge takes two pixels at the top and two at the bottom.
constexpr int kEdgeHeight = 4;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
} // namespace

BEGIN_MESSAGE_MAP(VCheckListBox, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_CREATE()
ON_WM_LBUTTONUP()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

VCheckListBox::VCheckListBox()
    : m_pfnChanged(nullptr), m_items(3), m_columns(3), m_nRowHeight(kMinRowHeight), m_nVisibleRows(0),
      m_nTopIndex(0), m_bReadOnly(false), m_bRadioStyle(true)
{
}

VCheckListBox::~VCheckListBox() = default;

BOOL VCheckListBox::Create(DWORD dwStyle, CWnd* pParentWnd, UINT nID, void (*pfnChanged)())
{
    m_pfnChanged = pfnChanged;
    HWND hPlaceholder = ::GetDlgItem(pParentWnd->GetSafeHwnd(), static_cast<int>(nID));
    if (!hPlaceholder)
        return FALSE;
    CRect rect;
    ::GetWindowRect(hPlaceholder, &rect);
    pParentWnd->ScreenToClient(&rect);
    ::DestroyWindow(hPlaceholder);
    return CreateEx(WS_EX_CLIENTEDGE, nullptr, L"CheckList_Control",
                    dwStyle | WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL, rect, pParentWnd, nID);
}

int VCheckListBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    {
        CClientDC dc(this);
        HFONT font = ParentFont();
        HGDIOBJ hOld = font ? dc.SelectObject(font) : nullptr;
        TEXTMETRIC tm = {};
        dc.GetTextMetrics(&tm);
        if (hOld)
            dc.SelectObject(hOld);
        m_nRowHeight = std::max<int>(tm.tmHeight, kMinRowHeight);
    }
    CRect window;
    GetWindowRect(&window);
    const int height = window.Height();
    m_nVisibleRows = height / m_nRowHeight;
    int newHeight = m_nVisibleRows * m_nRowHeight + kEdgeHeight;
    if (newHeight > height && m_nVisibleRows > 0)
    {
        newHeight -= m_nRowHeight;
        --m_nVisibleRows;
    }
    SetWindowPos(nullptr, 0, 0, window.Width(), newHeight, SWP_NOMOVE | SWP_NOZORDER);
    ShowScrollBar(SB_VERT, FALSE);
    return 0;
}

void VCheckListBox::AddCheckColumn(int x)
{
    CPoint point(x, 0);
    ScreenToClient(&point);
    m_columns.Add(point.x);
    for (int i = 0; i < m_items.GetCount(); ++i)
        m_items[i].m_states.Add(0);
}

int VCheckListBox::AddItem(wchar_t const* text)
{
    Item item;
    item.m_strText = text;
    for (int c = 0; c < m_columns.GetCount(); ++c)
        item.m_states.Add(0);
    const int index = m_items.Add(item);
    if (GetSafeHwnd())
    {
        if (m_items.GetCount() > m_nVisibleRows)
        {
            ShowScrollBar(SB_VERT, TRUE);
            SetScrollRange(SB_VERT, 0, m_items.GetCount() - m_nVisibleRows, TRUE);
        }
        if (index >= m_nTopIndex && index < m_nTopIndex + m_nVisibleRows)
        {
            const CRect row = RowRect(index);
            InvalidateRect(&row, TRUE);
        }
    }
    return index;
}

void VCheckListBox::SetCheckState(int item, int column, int state)
{
    VArray<int>& states = m_items[item].m_states;
    states[column] = state;
    if (m_bRadioStyle && state != 0)
    {
        for (int c = 0; c < states.GetCount(); ++c)
        {
            if (c != column)
                states[c] = 0;
        }
    }
    if (GetSafeHwnd() && item >= m_nTopIndex && item <= m_nTopIndex + m_nVisibleRows)
    {
        const CRect row = RowRect(item);
        InvalidateRect(&row, TRUE);
    }
}

int VCheckListBox::GetCheckState(int item, int column) const
{
    return m_items[item].m_states[column];
}

int VCheckListBox::GetCheckWidth() const
{
    return m_nRowHeight - 2;
}

int VCheckListBox::GetCount() const
{
    return m_items.GetCount();
}

int VCheckListBox::GetCheckColumnCount() const
{
    return m_columns.GetCount();
}

void VCheckListBox::SetReadOnly(bool bReadOnly)
{
    m_bReadOnly = bReadOnly;
}

void VCheckListBox::SetRadioStyle(bool bRadio)
{
    m_bRadioStyle = bRadio;
}

BOOL VCheckListBox::OnEraseBkgnd(CDC* pDC)
{
    CRect clip;
    pDC->GetClipBox(&clip);
    HGDIOBJ hOld = pDC->SelectObject(::GetSysColorBrush(m_bReadOnly ? COLOR_BTNFACE : COLOR_WINDOW));
    pDC->PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), PATCOPY);
    pDC->SelectObject(hOld);
    return TRUE;
}

void VCheckListBox::OnPaint()
{
    CPaintDC dc(this);
    dc.SetBkColor(::GetSysColor(m_bReadOnly ? COLOR_BTNFACE : COLOR_WINDOW));
    HFONT font = ParentFont();
    HGDIOBJ hOld = font ? dc.SelectObject(font) : nullptr;
    const int end = std::min(m_nTopIndex + m_nVisibleRows, m_items.GetCount());
    const int side = GetCheckWidth();
    for (int item = m_nTopIndex; item < end; ++item)
    {
        const int top = (item - m_nTopIndex) * m_nRowHeight;
        const Item& row = m_items[item];
        CRect text(0, top, m_nRowHeight, top + m_nRowHeight);
        dc.DrawText(row.m_strText, &text, kTextFormat);
        for (int c = 0; c < m_columns.GetCount(); ++c)
        {
            CRect box(m_columns[c], top + 1, m_columns[c] + side, top + 1 + side);
            UINT state = DFCS_BUTTONCHECK;
            if (row.m_states[c] != 0)
                state |= DFCS_CHECKED;
            if (m_bReadOnly)
                state |= DFCS_INACTIVE;
            dc.DrawFrameControl(&box, DFC_BUTTON, state);
        }
    }
    if (hOld)
        dc.SelectObject(hOld);
}

void VCheckListBox::OnLButtonUp(UINT, CPoint point)
{
    if (m_bReadOnly)
        return;
    const int item = HitTestItem(point);
    if (item < 0)
        return;
    const int column = HitTestColumn(item, point);
    if (column < 0)
        return;
    SetCheckState(item, column, GetCheckState(item, column) == 0 ? 1 : 0);
    const CRect row = RowRect(item);
    InvalidateRect(&row, TRUE);
    if (m_pfnChanged)
        m_pfnChanged();
}

void VCheckListBox::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    const int count = m_items.GetCount();
    const int visible = m_nVisibleRows;
    const int last = std::max(0, count - visible);
    const int top = m_nTopIndex;
    int newTop = top;
    switch (nSBCode)
    {
    case SB_LINEUP:
        if (top == 0)
            return;
        newTop = top - 1;
        break;
    case SB_LINEDOWN:
        if (top + visible >= count)
            return;
        newTop = top + 1;
        break;
    case SB_PAGEUP:
        if (top == 0)
            return;
        newTop = std::max(0, top - visible + 1);
        break;
    case SB_PAGEDOWN:
        if (top + visible >= count)
            return;
        newTop = std::min(top + visible - 1, count - visible);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        newTop = std::clamp(static_cast<int>(nPos), 0, last);
        break;
    case SB_TOP:
        newTop = 0;
        break;
    case SB_BOTTOM:
        newTop = last;
        break;
    default:
        return;
    }
    m_nTopIndex = newTop;
    SetScrollPos(SB_VERT, m_nTopIndex, TRUE);
    Invalidate(TRUE);
}

int VCheckListBox::HitTestItem(CPoint const& point)
{
    if (point.y < 0)
        return -1;
    const int item = point.y / m_nRowHeight + m_nTopIndex;
    return item < m_items.GetCount() ? item : -1;
}

int VCheckListBox::HitTestColumn(int item, CPoint const& point)
{
    const int top = (item - m_nTopIndex) * m_nRowHeight;
    const int side = GetCheckWidth();
    for (int c = 0; c < m_columns.GetCount(); ++c)
    {
        const CRect square(m_columns[c], top, m_columns[c] + side, top + side);
        if (square.PtInRect(point))
            return c;
    }
    return -1;
}

CRect VCheckListBox::RowRect(int item) const
{
    CRect client;
    GetClientRect(&client);
    const int top = (item - m_nTopIndex) * m_nRowHeight;
    return CRect(0, top, client.right, top + m_nRowHeight);
}

HFONT VCheckListBox::ParentFont() const
{
    return reinterpret_cast<HFONT>(::SendMessageW(::GetParent(m_hWnd), WM_GETFONT, 0, 0));
}
