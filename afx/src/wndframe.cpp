// CFrameWnd: top-level windows with a menu whose items are enabled through the command routing.
#include "wndstate.h"

#include "afxmenubar.h"

namespace
{
const wchar_t kFrameWndClass[] = L"AfxFrameOrView";
} // namespace

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() : m_bAutoMenuEnable(TRUE), m_hMenuDefault(nullptr), m_hAccelTable(nullptr) {}

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr)
    {
        HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, RT_MENU);
        hMenu = ::LoadMenuW(hInst, lpszMenuName);
        if (hMenu == nullptr)
        {
            DWORD dwError = ::GetLastError();
            TRACE(L"CFrameWnd::Create: the menu cannot be loaded (error %lu).\n", dwError);
            PostNcDestroy();
            ::SetLastError(dwError);
            return FALSE;
        }
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenu, pContext))
    {
        // The window never took the menu.
        if (hMenu != nullptr)
        {
            DWORD dwError = ::GetLastError();
            ::DestroyMenu(hMenu);
            ::SetLastError(dwError);
        }
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    ASSERT(m_hAccelTable == nullptr);
    if (m_hAccelTable != nullptr)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR);
    m_hAccelTable = ::LoadAcceleratorsW(hInst, lpszResourceName);
    return m_hAccelTable != nullptr;
}

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
    {
        WNDCLASSW wndcls = {};
        wndcls.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wndcls.lpfnWndProc = ::DefWindowProcW;
        wndcls.hInstance = AfxGetInstanceHandle();
        wndcls.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
        wndcls.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wndcls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wndcls.lpszClassName = kFrameWndClass;
        if (!AfxRegisterClass(&wndcls))
        {
            return FALSE;
        }
        cs.lpszClass = kFrameWndClass;
    }
    return TRUE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    {
        return TRUE;
    }
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    // A frame that shows a menu bar instead of a window menu hands Alt with a character, and F10, to the bar.
    const bool bMenuKey =
        pMsg->message == WM_SYSCHAR || (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_F10);
    if (bMenuKey && ::GetMenu(m_hWnd) == nullptr && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
    {
        for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr;
             hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        {
            CWnd* pChild = CWnd::FromHandlePermanent(hChild);
            if (pChild == nullptr || !pChild->IsKindOf(RUNTIME_CLASS(CMFCMenuBar)) ||
                !pChild->IsWindowVisible())
            {
                continue;
            }
            if (pMsg->message == WM_SYSKEYDOWN)
            {
                pChild->SetFocus();
                return TRUE;
            }
            if (static_cast<CMFCMenuBar*>(pChild)->TranslateChar(static_cast<UINT>(pMsg->wParam)))
            {
                return TRUE;
            }
        }
    }
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr &&
        ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg))
    {
        return TRUE;
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
    {
        return -1;
    }
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return 0;
}

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // The window destroys the menu it shows; make that the frame's own one.
    if (m_hMenuDefault != nullptr && ::GetMenu(m_hWnd) != m_hMenuDefault)
    {
        ::SetMenu(m_hWnd, m_hMenuDefault);
    }
    CWnd::OnDestroy();
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu || pPopupMenu == nullptr)
    {
        return;
    }
    CCmdUI state;
    state.m_pMenu = pPopupMenu;
    afximpl::ThreadState& thread = afximpl::CurrentThreadState();
    if (thread.hTrackingMenu == pPopupMenu->m_hMenu)
    {
        state.m_pParentMenu = pPopupMenu;
    }
    else if (HMENU hParentMenu = ::GetMenu(m_hWnd))
    {
        for (int nIndex = 0, nCount = ::GetMenuItemCount(hParentMenu); nIndex < nCount; ++nIndex)
        {
            if (::GetSubMenu(hParentMenu, nIndex) == pPopupMenu->m_hMenu)
            {
                state.m_pParentMenu = CMenu::FromHandle(hParentMenu);
                break;
            }
        }
    }

    state.m_nIndexMax = static_cast<UINT>(pPopupMenu->GetMenuItemCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
        {
            continue; // a separator
        }
        if (state.m_nID == static_cast<UINT>(-1))
        {
            // A popup stands for its first command; popups themselves are never disabled automatically.
            state.m_pSubMenu = pPopupMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (state.m_pSubMenu == nullptr || (state.m_nID = state.m_pSubMenu->GetMenuItemID(0)) == 0 ||
                state.m_nID == static_cast<UINT>(-1))
            {
                continue;
            }
            state.DoUpdate(this, FALSE);
        }
        else
        {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(this, m_bAutoMenuEnable && IS_COMMAND_ID(state.m_nID));
        }
        // A handler may have added or removed items; keep the position on the same item.
        auto nCount = static_cast<UINT>(pPopupMenu->GetMenuItemCount());
        if (nCount < state.m_nIndexMax)
        {
            state.m_nIndex -= state.m_nIndexMax - nCount;
            while (state.m_nIndex < nCount &&
                   pPopupMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
            {
                ++state.m_nIndex;
            }
        }
        state.m_nIndexMax = nCount;
    }
}
