// The thin wrappers of threads, the application, windows and dialogs (afxwin.h, afxapp_.h, afxwnd_.h,
// afxdlg_.h), inline: each forwards to one system function or message and asserts, in diagnostic builds, that
// the object holds a live thread handle or window.
#pragma once

#ifndef AFX_UMBRELLA_AFXWIN_H
#error This file is part of <afxwin.h>; include that instead.
#endif

/////////////////////////////////////////////////////////////////////////////
// CWinThread

inline int CWinThread::GetThreadPriority()
{
    ASSERT(m_hThread != nullptr);
    return ::GetThreadPriority(m_hThread);
}

inline BOOL CWinThread::SetThreadPriority(int nPriority)
{
    ASSERT(m_hThread != nullptr);
    return ::SetThreadPriority(m_hThread, nPriority);
}

inline DWORD CWinThread::SuspendThread()
{
    ASSERT(m_hThread != nullptr);
    return ::SuspendThread(m_hThread);
}

inline DWORD CWinThread::ResumeThread()
{
    ASSERT(m_hThread != nullptr);
    return ::ResumeThread(m_hThread);
}

/////////////////////////////////////////////////////////////////////////////
// CWinApp

inline HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCE(nIDResource));
}

inline HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIconW(nullptr, lpszIconName);
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: styles

inline DWORD CWnd::GetStyle() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
}

inline DWORD CWnd::GetExStyle() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE));
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: text

inline void CWnd::SetWindowText(LPCTSTR lpszString)
{
    ASSERT(::IsWindow(m_hWnd));
    ::SetWindowTextW(m_hWnd, lpszString);
}

inline int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
}

inline int CWnd::GetWindowTextLength() const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::GetWindowTextLengthW(m_hWnd);
}

inline HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                                  reinterpret_cast<LPARAM>(hIcon)));
}

inline HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: messages

inline LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

inline BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

inline BOOL CWnd::SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::SendNotifyMessageW(m_hWnd, message, wParam, lParam);
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: state and placement

inline BOOL CWnd::ShowWindow(int nCmdShow)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::ShowWindow(m_hWnd, nCmdShow);
}

inline BOOL CWnd::IsWindowVisible() const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::IsWindowVisible(m_hWnd);
}

inline BOOL CWnd::EnableWindow(BOOL bEnable)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::EnableWindow(m_hWnd, bEnable);
}

inline BOOL CWnd::IsWindowEnabled() const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::IsWindowEnabled(m_hWnd);
}

inline BOOL CWnd::IsIconic() const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::IsIconic(m_hWnd);
}

inline BOOL CWnd::IsZoomed() const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::IsZoomed(m_hWnd);
}

inline void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ASSERT(::IsWindow(m_hWnd));
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

inline void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    ASSERT(::IsWindow(m_hWnd));
    ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                 lpRect->bottom - lpRect->top, bRepaint);
}

inline void CWnd::BringWindowToTop()
{
    ASSERT(::IsWindow(m_hWnd));
    ::BringWindowToTop(m_hWnd);
}

inline void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ASSERT(::IsWindow(m_hWnd));
    ::GetWindowRect(m_hWnd, lpRect);
}

inline void CWnd::GetClientRect(LPRECT lpRect) const
{
    ASSERT(::IsWindow(m_hWnd));
    ::GetClientRect(m_hWnd, lpRect);
}

inline void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    ASSERT(::IsWindow(m_hWnd));
    ::ClientToScreen(m_hWnd, lpPoint);
}

inline void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ASSERT(::IsWindow(m_hWnd));
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(lpRect), 2);
}

inline void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    ASSERT(::IsWindow(m_hWnd));
    ::ScreenToClient(m_hWnd, lpPoint);
}

inline void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ASSERT(::IsWindow(m_hWnd));
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(lpRect), 2);
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: focus, activation and capture

inline BOOL CWnd::SetForegroundWindow()
{
    ASSERT(::IsWindow(m_hWnd));
    return ::SetForegroundWindow(m_hWnd);
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: painting

inline void CWnd::Invalidate(BOOL bErase)
{
    ASSERT(::IsWindow(m_hWnd));
    ::InvalidateRect(m_hWnd, nullptr, bErase);
}

inline void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    ASSERT(::IsWindow(m_hWnd));
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

inline void CWnd::ValidateRect(LPCRECT lpRect)
{
    ASSERT(::IsWindow(m_hWnd));
    ::ValidateRect(m_hWnd, lpRect);
}

inline void CWnd::UpdateWindow()
{
    ASSERT(::IsWindow(m_hWnd));
    ::UpdateWindow(m_hWnd);
}

inline void CWnd::SetRedraw(BOOL bRedraw)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(WM_SETREDRAW, bRedraw);
}

inline BOOL CWnd::GetUpdateRect(LPRECT lpRect, BOOL bErase)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::GetUpdateRect(m_hWnd, lpRect, bErase);
}

inline void CWnd::EndPaint(LPPAINTSTRUCT lpPaint)
{
    ASSERT(::IsWindow(m_hWnd));
    ::EndPaint(m_hWnd, lpPaint);
}

inline UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse,
                               void(CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD))
{
    ASSERT(::IsWindow(m_hWnd));
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

inline BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::KillTimer(m_hWnd, nIDEvent);
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: menus and scroll bars

inline void CWnd::DrawMenuBar()
{
    ASSERT(::IsWindow(m_hWnd));
    ::DrawMenuBar(m_hWnd);
}

inline int CWnd::GetScrollPos(int nBar) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::GetScrollPos(m_hWnd, nBar);
}

inline int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw);
}

inline void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    ASSERT(::IsWindow(m_hWnd));
    ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos);
}

inline void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    ASSERT(::IsWindow(m_hWnd));
    ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw);
}

inline void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    ASSERT(::IsWindow(m_hWnd));
    ::ShowScrollBar(m_hWnd, static_cast<int>(nBar), bShow);
}

inline BOOL CWnd::EnableScrollBar(int nSBFlags, UINT nArrowFlags)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::EnableScrollBar(m_hWnd, static_cast<UINT>(nSBFlags), nArrowFlags);
}

/////////////////////////////////////////////////////////////////////////////
// CWnd: dialog items

inline int CWnd::GetDlgCtrlID() const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::GetDlgCtrlID(m_hWnd);
}

inline int CWnd::SetDlgCtrlID(int nID)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID));
}

inline void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    ASSERT(::IsWindow(m_hWnd));
    *phWnd = ::GetDlgItem(m_hWnd, nID);
}

inline void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString)
{
    ASSERT(::IsWindow(m_hWnd));
    ::SetDlgItemTextW(m_hWnd, nID, lpszString);
}

inline int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::GetDlgItemTextW(m_hWnd, nID, lpStr, nMaxCount));
}

inline void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    ASSERT(::IsWindow(m_hWnd));
    ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned);
}

inline UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

inline LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
}

inline void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    ASSERT(::IsWindow(m_hWnd));
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

inline UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

inline void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ASSERT(::IsWindow(m_hWnd));
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

/////////////////////////////////////////////////////////////////////////////
// CDialog: navigation

inline void CDialog::NextDlgCtrl() const
{
    ASSERT(::IsWindow(m_hWnd));
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

inline void CDialog::PrevDlgCtrl() const
{
    ASSERT(::IsWindow(m_hWnd));
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

inline void CDialog::SetDefID(UINT nID)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(DM_SETDEFID, nID);
}

inline DWORD CDialog::GetDefID() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<DWORD>(::SendMessageW(m_hWnd, DM_GETDEFID, 0, 0));
}
