// The thin wrappers of the standard controls (afxstdctl_.h), inline: each sends the control one message (or
// calls one scroll-bar function) and asserts, in diagnostic builds, that the object holds a live window.
#pragma once

#ifndef AFX_UMBRELLA_AFXWIN_H
#error This file is part of <afxwin.h>; include that instead.
#endif

/////////////////////////////////////////////////////////////////////////////
// CStatic

inline HICON CStatic::SetIcon(HICON hIcon)
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon)));
}

inline HICON CStatic::GetIcon() const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HICON>(SendMessage(STM_GETICON));
}

inline HBITMAP CStatic::SetBitmap(HBITMAP hBitmap)
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HBITMAP>(
        SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}

inline HBITMAP CStatic::GetBitmap() const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
}

inline HCURSOR CStatic::SetCursor(HCURSOR hCursor)
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HCURSOR>(
        SendMessage(STM_SETIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>(hCursor)));
}

inline HCURSOR CStatic::GetCursor()
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HCURSOR>(SendMessage(STM_GETIMAGE, IMAGE_CURSOR));
}

/////////////////////////////////////////////////////////////////////////////
// CButton

inline UINT CButton::GetState() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<UINT>(SendMessage(BM_GETSTATE));
}

inline void CButton::SetState(BOOL bHighlight)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(BM_SETSTATE, bHighlight);
}

inline int CButton::GetCheck() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(BM_GETCHECK));
}

inline void CButton::SetCheck(int nCheck)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
}

inline void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(BM_SETSTYLE, nStyle, bRedraw);
}

inline HICON CButton::SetIcon(HICON hIcon)
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}

inline HICON CButton::GetIcon() const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON));
}

inline HBITMAP CButton::SetBitmap(HBITMAP hBitmap)
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HBITMAP>(
        SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}

inline HBITMAP CButton::GetBitmap() const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HBITMAP>(SendMessage(BM_GETIMAGE, IMAGE_BITMAP));
}

inline void CButton::Click()
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(BM_CLICK);
}

/////////////////////////////////////////////////////////////////////////////
// CEdit

inline BOOL CEdit::CanUndo() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(EM_CANUNDO));
}

inline int CEdit::GetLineCount() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(EM_GETLINECOUNT));
}

inline BOOL CEdit::GetModify() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(EM_GETMODIFY));
}

inline void CEdit::SetModify(BOOL bModified)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(EM_SETMODIFY, bModified);
}

inline void CEdit::GetRect(LPRECT lpRect) const
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(lpRect));
}

inline DWORD CEdit::GetSel() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<DWORD>(SendMessage(EM_GETSEL));
}

inline void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(lpszNewText));
}

inline int CEdit::LineIndex(int nLine) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(EM_LINEINDEX, static_cast<WPARAM>(nLine)));
}

inline int CEdit::LineLength(int nLine) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(EM_LINELENGTH, static_cast<WPARAM>(nLine)));
}

inline int CEdit::LineFromChar(int nIndex) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(EM_LINEFROMCHAR, static_cast<WPARAM>(nIndex)));
}

inline void CEdit::LimitText(int nChars)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars));
}

inline void CEdit::SetLimitText(UINT nMax)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(EM_SETLIMITTEXT, nMax);
}

inline UINT CEdit::GetLimitText() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT));
}

inline TCHAR CEdit::GetPasswordChar() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<TCHAR>(SendMessage(EM_GETPASSWORDCHAR));
}

inline void CEdit::SetPasswordChar(TCHAR ch)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(EM_SETPASSWORDCHAR, ch);
}

inline BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly));
}

inline void CEdit::EmptyUndoBuffer()
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(EM_EMPTYUNDOBUFFER);
}

inline BOOL CEdit::Undo()
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(EM_UNDO));
}

inline void CEdit::Clear()
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(WM_CLEAR);
}

inline void CEdit::Copy()
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(WM_COPY);
}

inline void CEdit::Cut()
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(WM_CUT);
}

inline void CEdit::Paste()
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(WM_PASTE);
}

/////////////////////////////////////////////////////////////////////////////
// CListBox

inline int CListBox::GetCount() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_GETCOUNT));
}

inline int CListBox::GetCurSel() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_GETCURSEL));
}

inline int CListBox::SetCurSel(int nSelect)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}

inline int CListBox::GetSel(int nIndex) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(nIndex)));
}

inline int CListBox::SetSel(int nIndex, BOOL bSelect)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_SETSEL, bSelect, nIndex));
}

inline int CListBox::GetSelCount() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_GETSELCOUNT));
}

inline int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems), reinterpret_cast<LPARAM>(rgIndex)));
}

inline int CListBox::GetTopIndex() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_GETTOPINDEX));
}

inline int CListBox::SetTopIndex(int nIndex)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex)));
}

inline DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}

inline int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

inline int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}

inline int CListBox::GetTextLen(int nIndex) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex)));
}

inline int CListBox::GetItemHeight(int nIndex) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex)));
}

inline int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), MAKELONG(cyItemHeight, 0)));
}

inline int CListBox::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
}

inline int CListBox::AddString(LPCTSTR lpszItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
}

inline int CListBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
}

inline int CListBox::DeleteString(UINT nIndex)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex));
}

inline void CListBox::ResetContent()
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(LB_RESETCONTENT);
}

inline int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}

inline int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart),
                                        reinterpret_cast<LPARAM>(lpszFind)));
}

inline int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}

/////////////////////////////////////////////////////////////////////////////
// CComboBox

inline int CComboBox::GetCount() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(CB_GETCOUNT));
}

inline int CComboBox::GetCurSel() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

inline int CComboBox::SetCurSel(int nSelect)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}

inline DWORD CComboBox::GetEditSel() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<DWORD>(SendMessage(CB_GETEDITSEL));
}

inline BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELONG(nStartChar, nEndChar)));
}

inline BOOL CComboBox::LimitText(int nMaxChars)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars)));
}

inline DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
}

inline int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
}

inline int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}

inline int CComboBox::GetLBTextLen(int nIndex) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)));
}

inline int CComboBox::GetItemHeight(int nIndex) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex)));
}

inline int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), MAKELONG(cyItemHeight, 0)));
}

inline void CComboBox::ShowDropDown(BOOL bShowIt)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(CB_SHOWDROPDOWN, bShowIt);
}

inline BOOL CComboBox::GetDroppedState() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE));
}

inline int CComboBox::AddString(LPCTSTR lpszString)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
}

inline int CComboBox::InsertString(int nIndex, LPCTSTR lpszString)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszString)));
}

inline int CComboBox::DeleteString(UINT nIndex)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex));
}

inline void CComboBox::ResetContent()
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(CB_RESETCONTENT);
}

inline int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(CB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString)));
}

inline int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart),
                                        reinterpret_cast<LPARAM>(lpszFind)));
}

inline int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(
        SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString)));
}

/////////////////////////////////////////////////////////////////////////////
// CScrollBar

inline int CScrollBar::GetScrollPos() const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::GetScrollPos(m_hWnd, SB_CTL);
}

inline int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw);
}

inline void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
{
    ASSERT(::IsWindow(m_hWnd));
    ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos);
}

inline void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ASSERT(::IsWindow(m_hWnd));
    ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw);
}

inline void CScrollBar::ShowScrollBar(BOOL bShow)
{
    ASSERT(::IsWindow(m_hWnd));
    ::ShowScrollBar(m_hWnd, SB_CTL, bShow);
}

inline BOOL CScrollBar::EnableScrollBar(UINT nArrowFlags)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags);
}
