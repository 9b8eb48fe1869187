// The standard controls: static, button, edit, list box, combo box and scroll bar.
#include "wndstate.h"

#include <type_traits>

namespace
{
// WM_DRAWITEM (and, for the list kinds, WM_MEASUREITEM) that a parent offers an owner-drawn control go to its
// DrawItem (MeasureItem) and are answered TRUE; false for any other message.
template <class Control>
bool ReflectOwnerDraw(Control& control, UINT message, LPARAM lParam, LRESULT* pResult)
{
    constexpr bool bMeasures = std::is_same_v<Control, CListBox> || std::is_same_v<Control, CComboBox>;
    if (message == WM_DRAWITEM)
    {
        control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    }
    else if constexpr (bMeasures)
    {
        if (message != WM_MEASUREITEM)
        {
            return false;
        }
        control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    }
    else
    {
        return false;
    }
    if (pResult != nullptr)
    {
        *pResult = TRUE;
    }
    return true;
}

// The text of item nIndex of a list or combo box, through the control's length and text messages; empty when
// there is no such item.
void GetItemText(const CWnd& control, UINT nLengthMessage, UINT nTextMessage, int nIndex, CString& rString)
{
    rString.Empty();
    auto nLength = static_cast<int>(control.SendMessage(nLengthMessage, static_cast<WPARAM>(nIndex)));
    if (nLength > 0)
    {
        auto nCopied = static_cast<int>(
            control.SendMessage(nTextMessage, static_cast<WPARAM>(nIndex),
                                reinterpret_cast<LPARAM>(rString.GetBufferSetLength(nLength))));
        rString.ReleaseBuffer(nCopied > 0 ? nCopied : 0);
    }
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// CStatic

IMPLEMENT_DYNAMIC(CStatic, CWnd)

CStatic::CStatic() = default;

CStatic::~CStatic() = default;

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ReflectOwnerDraw(*this, message, lParam, pResult))
    {
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

/////////////////////////////////////////////////////////////////////////////
// CButton

IMPLEMENT_DYNAMIC(CButton, CWnd)

CButton::CButton() = default;

CButton::~CButton() = default;

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetButtonStyle() const
{
    return static_cast<UINT>(GetStyle()) & 0xFFFF;
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ReflectOwnerDraw(*this, message, lParam, pResult))
    {
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

/////////////////////////////////////////////////////////////////////////////
// CEdit

IMPLEMENT_DYNAMIC(CEdit, CWnd)

CEdit::CEdit() = default;

CEdit::~CEdit() = default;

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD dwStart = 0;
    DWORD dwEnd = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    nStartChar = static_cast<int>(dwStart);
    nEndChar = static_cast<int>(dwEnd);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, LOWORD(dwSelection), HIWORD(dwSelection));
    if (!bNoScroll)
    {
        SendMessage(EM_SCROLLCARET);
    }
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll)
    {
        SendMessage(EM_SCROLLCARET);
    }
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    // The buffer's first word tells the control how much room there is; no terminator is written.
    *reinterpret_cast<WORD*>(lpszBuffer) = static_cast<WORD>(nMaxLength);
    return static_cast<int>(
        SendMessage(EM_GETLINE, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}

CString CEdit::GetLine(int nIndex) const
{
    CString line;
    int nFirstChar = LineIndex(nIndex);
    if (nFirstChar < 0)
    {
        return line;
    }
    int nLength = LineLength(nFirstChar);
    if (nLength > 0)
    {
        // At least one character of room, which also holds the size word.
        int nCopied = GetLine(nIndex, line.GetBufferSetLength(nLength), nLength);
        line.ReleaseBuffer(nCopied);
    }
    return line;
}

/////////////////////////////////////////////////////////////////////////////
// CListBox

IMPLEMENT_DYNAMIC(CListBox, CWnd)

CListBox::CListBox() = default;

CListBox::~CListBox() = default;

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    GetItemText(*this, LB_GETTEXTLEN, LB_GETTEXT, nIndex, rString);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ReflectOwnerDraw(*this, message, lParam, pResult))
    {
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

/////////////////////////////////////////////////////////////////////////////
// CComboBox

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

CComboBox::CComboBox() = default;

CComboBox::~CComboBox() = default;

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    GetItemText(*this, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex, rString);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (ReflectOwnerDraw(*this, message, lParam, pResult))
    {
        return TRUE;
    }
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

/////////////////////////////////////////////////////////////////////////////
// CScrollBar

IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

CScrollBar::CScrollBar() = default;

CScrollBar::~CScrollBar() = default;

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
}

int CScrollBar::GetScrollLimit()
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    if (!::GetScrollInfo(m_hWnd, SB_CTL, &info))
    {
        return 0;
    }
    int nLimit = info.nMax - (info.nPage > 0 ? static_cast<int>(info.nPage) - 1 : 0);
    return nLimit > info.nMin ? nLimit : info.nMin;
}
