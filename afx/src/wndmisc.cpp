// CWnd's wrappers over the window functions that do more than forward one call (those are inline in
// afxwin2.inl): the ones that give back framework objects or take objects that may be null, and the ones
// with logic of their own (styles, owners and frames, centring, text and radio buttons).
#include "wndstate.h"

/////////////////////////////////////////////////////////////////////////////
// Styles

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE));
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
    {
        return FALSE;
    }
    ::SetWindowLongW(hWnd, GWL_STYLE, static_cast<LONG>(dwNewStyle));
    if (nFlags != 0)
    {
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_EXSTYLE));
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
    {
        return FALSE;
    }
    ::SetWindowLongW(hWnd, GWL_EXSTYLE, static_cast<LONG>(dwNewStyle));
    if (nFlags != 0)
    {
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

/////////////////////////////////////////////////////////////////////////////
// Relations

CWnd* CWnd::GetParent() const
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd()));
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    m_hWndOwner = pOwnerWnd->GetSafeHwnd();
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWndTop = m_hWnd;
    for (HWND hWnd = m_hWnd; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        hWndTop = hWnd;
    }
    return FromHandle(hWndTop);
}

CWnd* CWnd::GetParentOwner() const
{
    // Up through the children to the first pop-up or top-level window.
    HWND hWnd = m_hWnd;
    while (hWnd != nullptr && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) != 0)
    {
        hWnd = ::GetParent(hWnd);
    }
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    HWND hWndOwner = m_hWnd;
    for (HWND hWnd = m_hWnd; hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_OWNER))
    {
        hWndOwner = hWnd;
    }
    return FromHandle(hWndOwner);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (m_hWnd == nullptr)
    {
        return nullptr;
    }
    for (CWnd* pWnd = GetParent(); pWnd != nullptr; pWnd = pWnd->GetParent())
    {
        if (pWnd->IsFrameWnd())
        {
            return static_cast<CFrameWnd*>(pWnd);
        }
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (m_hWnd == nullptr)
    {
        return nullptr;
    }
    auto* pFrame = const_cast<CWnd*>(this);
    if (!pFrame->IsFrameWnd())
    {
        pFrame = GetParentFrame();
    }
    while (pFrame != nullptr)
    {
        CFrameWnd* pNext = pFrame->GetParentFrame();
        if (pNext == nullptr)
        {
            break;
        }
        pFrame = pNext;
    }
    return static_cast<CFrameWnd*>(pFrame);
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::GetWindow(m_hWnd, nCmd));
}

CWnd* CWnd::GetTopWindow() const
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::GetTopWindow(m_hWnd));
}

CWnd* CWnd::GetLastActivePopup() const
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::GetLastActivePopup(m_hWnd));
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::IsChild(m_hWnd, pWnd->GetSafeHwnd());
}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}

HWND PASCAL CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop)
{
    HWND hWnd = hParent;
    if (hWnd == nullptr)
    {
        CWnd* pMainWnd = AfxGetMainWnd();
        hWnd = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
    }
    // A pop-up cannot be owned by a child window.
    while (hWnd != nullptr && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) != 0)
    {
        hWnd = ::GetParent(hWnd);
    }
    HWND hWndTop = hWnd;
    for (HWND hWndTemp = hWnd; hWndTemp != nullptr; hWndTemp = ::GetParent(hWndTemp))
    {
        hWndTop = hWndTemp;
    }
    // Raised over the main window: over whatever pop-up of it the user is in.
    if (hParent == nullptr && hWnd != nullptr)
    {
        hWnd = ::GetLastActivePopup(hWnd);
    }
    if (pWndTop != nullptr)
    {
        if (hWndTop != nullptr && hWndTop != hWnd && ::IsWindowEnabled(hWndTop))
        {
            *pWndTop = hWndTop;
            ::EnableWindow(hWndTop, FALSE);
        }
        else
        {
            *pWndTop = nullptr;
        }
    }
    return hWnd;
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    return FromHandle(GetSafeOwner_(pParent->GetSafeHwnd(), pWndTop));
}

/////////////////////////////////////////////////////////////////////////////
// Text

void CWnd::GetWindowText(CString& rString) const
{
    // The length is an upper bound for some controls; the copy reports what it wrote.
    int nLength = ::GetWindowTextLengthW(m_hWnd);
    int nCopied = ::GetWindowTextW(m_hWnd, rString.GetBufferSetLength(nLength), nLength + 1);
    rString.ReleaseBuffer(nCopied);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}

CFont* CWnd::GetFont() const
{
    ASSERT(::IsWindow(m_hWnd));
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

/////////////////////////////////////////////////////////////////////////////
// Messages

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                           BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (bOnlyPerm)
        {
            CWnd* pWnd = FromHandlePermanent(hWndChild);
            if (pWnd != nullptr)
            {
                AfxCallWndProc(pWnd, pWnd->m_hWnd, message, wParam, lParam);
            }
        }
        else
        {
            ::SendMessageW(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hWndChild) != nullptr)
        {
            SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
        }
    }
}

/////////////////////////////////////////////////////////////////////////////
// State and placement

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (hWndCenter == nullptr)
    {
        hWndCenter = (dwStyle & WS_CHILD) != 0 ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    }

    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectArea;   // where the window must stay
    CRect rectCenter; // what it is centred over
    if ((dwStyle & WS_CHILD) == 0)
    {
        // Not over a hidden or minimised owner: over the monitor's work area instead.
        if (hWndCenter != nullptr)
        {
            DWORD dwCenterStyle = static_cast<DWORD>(::GetWindowLongW(hWndCenter, GWL_STYLE));
            if ((dwCenterStyle & WS_VISIBLE) == 0 || (dwCenterStyle & WS_MINIMIZE) != 0)
            {
                hWndCenter = nullptr;
            }
        }
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        HWND hWndMonitor = hWndCenter != nullptr ? hWndCenter : m_hWnd;
        ::GetMonitorInfoW(::MonitorFromWindow(hWndMonitor, MONITOR_DEFAULTTONEAREST), &info);
        rectArea = info.rcWork;
        if (hWndCenter != nullptr)
        {
            ::GetWindowRect(hWndCenter, &rectCenter);
        }
        else
        {
            rectCenter = info.rcWork;
        }
    }
    else
    {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rectArea);
        if (hWndCenter == nullptr)
        {
            hWndCenter = hWndParent;
        }
        ::GetClientRect(hWndCenter, &rectCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<POINT*>(&rectCenter), 2);
    }

    int xLeft = (rectCenter.left + rectCenter.right) / 2 - rectWindow.Width() / 2;
    int yTop = (rectCenter.top + rectCenter.bottom) / 2 - rectWindow.Height() / 2;
    if (xLeft + rectWindow.Width() > rectArea.right)
    {
        xLeft = rectArea.right - rectWindow.Width();
    }
    if (xLeft < rectArea.left)
    {
        xLeft = rectArea.left;
    }
    if (yTop + rectWindow.Height() > rectArea.bottom)
    {
        yTop = rectArea.bottom - rectWindow.Height();
    }
    if (yTop < rectArea.top)
    {
        yTop = rectArea.top;
    }
    ::SetWindowPos(m_hWnd, nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ASSERT(::IsWindow(m_hWnd));
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    ASSERT(::IsWindow(m_hWnd));
    ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), reinterpret_cast<POINT*>(lpRect), 2);
}

/////////////////////////////////////////////////////////////////////////////
// Focus, activation and capture

CWnd* CWnd::SetFocus()
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* PASCAL CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetActiveWindow()
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::SetActiveWindow(m_hWnd));
}

CWnd* PASCAL CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}

CWnd* PASCAL CWnd::GetForegroundWindow()
{
    return FromHandle(::GetForegroundWindow());
}

CWnd* CWnd::SetCapture()
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* PASCAL CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}

/////////////////////////////////////////////////////////////////////////////
// Painting

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::RedrawWindow(m_hWnd, lpRectUpdate, static_cast<HRGN>(prgnUpdate->GetSafeHandle()), flags);
}

CDC* CWnd::GetDC()
{
    ASSERT(::IsWindow(m_hWnd));
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    ASSERT(::IsWindow(m_hWnd));
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    ASSERT(::IsWindow(m_hWnd));
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

/////////////////////////////////////////////////////////////////////////////
// Menus and scroll bars

CMenu* CWnd::GetMenu() const
{
    ASSERT(::IsWindow(m_hWnd));
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu());
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    ASSERT(::IsWindow(m_hWnd));
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

/////////////////////////////////////////////////////////////////////////////
// Dialog items

CWnd* CWnd::GetDlgItem(int nID) const
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

namespace
{
// Direct children first (the common case, and what GetDlgItem finds fast), then depth-first below them.
CWnd* FindDescendant(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    HWND hWndChild = ::GetDlgItem(hWnd, nID);
    if (hWndChild != nullptr)
    {
        CWnd* pWnd = bOnlyPerm ? CWnd::FromHandlePermanent(hWndChild) : CWnd::FromHandle(hWndChild);
        if (pWnd != nullptr)
        {
            return pWnd;
        }
    }
    for (hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (::GetTopWindow(hWndChild) != nullptr)
        {
            if (CWnd* pWnd = FindDescendant(hWndChild, nID, bOnlyPerm))
            {
                return pWnd;
            }
        }
    }
    return nullptr;
}
} // namespace

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return FindDescendant(m_hWnd, nID, bOnlyPerm);
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious));
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
    if (hWndItem != nullptr)
    {
        int nLength = ::GetWindowTextLengthW(hWndItem);
        int nCopied = ::GetWindowTextW(hWndItem, rString.GetBufferSetLength(nLength), nLength + 1);
        rString.ReleaseBuffer(nCopied);
    }
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; ++nID)
    {
        if (::IsDlgButtonChecked(m_hWnd, nID) != BST_UNCHECKED)
        {
            return nID;
        }
    }
    return 0;
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    CString caption = lpszCaption != nullptr ? CString(lpszCaption) : afximpl::AppCaption();
    return ::MessageBoxW(GetSafeHwnd(), lpszText, caption, nType);
}
