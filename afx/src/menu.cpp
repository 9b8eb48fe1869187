// CMenu.
#include "wndstate.h"

using afximpl::CurrentThreadState;
using afximpl::IsNullObject;

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::CMenu() : m_hMenu(nullptr) {}

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu::operator HMENU() const
{
    return IsNullObject(this) ? nullptr : m_hMenu;
}

HMENU CMenu::GetSafeHmenu() const
{
    return IsNullObject(this) ? nullptr : m_hMenu;
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    return CurrentThreadState().menus.FromHandle(hMenu);
}

void PASCAL CMenu::DeleteTempMap()
{
    CurrentThreadState().menus.DeleteTemp();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    return CurrentThreadState().menus.Attach(this, hMenu);
}

HMENU CMenu::Detach()
{
    return CurrentThreadState().menus.Detach(this);
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
    return Attach(::LoadMenuW(hInst, lpszResourceName));
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEW(nIDResource));
}

BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate)
{
    return Attach(::LoadMenuIndirectW(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
    {
        return FALSE;
    }
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::AppendMenuW(m_hMenu, nFlags | MF_BITMAP, nIDNewItem,
                         static_cast<LPCWSTR>(pBmp->GetSafeHandle()));
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, const CBitmap* pBmp)
{
    ASSERT(::IsMenu(m_hMenu));
    return ::InsertMenuW(m_hMenu, nPosition, nFlags | MF_BITMAP, nIDNewItem,
                         static_cast<LPCWSTR>(pBmp->GetSafeHandle()));
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    rString.Empty();
    int nLength = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (nLength > 0)
    {
        int nCopied =
            ::GetMenuStringW(m_hMenu, nIDItem, rString.GetBufferSetLength(nLength), nLength + 1, nFlags);
        rString.ReleaseBuffer(nCopied);
    }
    return rString.GetLength();
}

CMenu* CMenu::GetSubMenu(int nPos) const
{
    ASSERT(::IsMenu(m_hMenu));
    return FromHandle(::GetSubMenu(m_hMenu, nPos));
}

namespace
{
// While a pop-up is tracked, frames know that its WM_INITMENUPOPUP is for a menu of its own.
class TrackingScope
{
public:
    TrackingScope(HMENU hMenu, HWND hWnd) : m_state(CurrentThreadState())
    {
        m_hOldMenu = m_state.hTrackingMenu;
        m_hOldWnd = m_state.hTrackingWindow;
        m_state.hTrackingMenu = hMenu;
        m_state.hTrackingWindow = hWnd;
    }
    ~TrackingScope()
    {
        m_state.hTrackingMenu = m_hOldMenu;
        m_state.hTrackingWindow = m_hOldWnd;
    }
    TrackingScope(const TrackingScope&) = delete;
    TrackingScope& operator=(const TrackingScope&) = delete;

private:
    afximpl::ThreadState& m_state;
    HMENU m_hOldMenu;
    HWND m_hOldWnd;
};
} // namespace

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    TrackingScope scope(m_hMenu, hWnd);
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, hWnd, lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    TrackingScope scope(m_hMenu, hWnd);
    return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, hWnd, lptpm);
}
