// What the window classes need from the application object and the resource chain, and the framework's
// reporting of errors that escape message handlers.
#include "wndstate.h"

#include <atomic>

namespace afxwnd
{
namespace
{
// The application object when it runs the calling thread (its loop, its pre-translation), or null.
CWinApp* ThreadApp()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && AfxGetThread() == pApp ? pApp : nullptr;
}
} // namespace

HINSTANCE InstanceHandle()
{
    return AfxGetInstanceHandle();
}

HINSTANCE ResourceHandle()
{
    return AfxGetResourceHandle();
}

HINSTANCE FindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    return AfxFindResourceHandle(lpszName, lpszType);
}

CWnd* MainWindow()
{
    return AfxGetMainWnd();
}

CString AppName()
{
    LPCTSTR lpszAppName = AfxGetAppName();
    if (lpszAppName != nullptr)
    {
        return lpszAppName;
    }
    // Before the application is named: the executable's name, as the application would be named.
    wchar_t path[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH)
    {
        return CString();
    }
    CString name(path);
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    int nDot = name.ReverseFind(L'.');
    return nDot > 0 ? name.Left(nDot) : name;
}

int MessageBox(LPCTSTR lpszText, UINT nType)
{
    return AfxMessageBox(lpszText, nType);
}

BOOL RouteCommandToApp(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL PreTranslateMessage(MSG* pMsg)
{
    if (CWinApp* pApp = ThreadApp())
    {
        return pApp->PreTranslateMessage(pMsg);
    }
    // A thread of its own: the windows the message is for, then the main window's accelerators for a
    // message of another top-level window.
    CWnd* pMainWnd = MainWindow();
    HWND hMainWnd = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
    if (CWnd::WalkPreTranslateTree(hMainWnd, pMsg))
    {
        return TRUE;
    }
    if (hMainWnd != nullptr && pMsg->hwnd != nullptr && ::GetAncestor(pMsg->hwnd, GA_ROOT) != hMainWnd)
    {
        return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL PumpMessage()
{
    if (CWinApp* pApp = ThreadApp())
    {
        return pApp->PumpMessage();
    }
    MSG& msg = AfxGetModuleThreadState()->m_msgCur;
    if (::GetMessageW(&msg, nullptr, 0, 0) <= 0)
    {
        return FALSE;
    }
    if (msg.message != WM_KICKIDLE && !PreTranslateMessage(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}

BOOL IsIdleMessage(const MSG* pMsg)
{
    if (CWinApp* pApp = ThreadApp())
    {
        return pApp->IsIdleMessage(const_cast<MSG*>(pMsg));
    }
    // Mouse moves that did not move, the caret's blink timer and paints do not change idle state.
    static thread_local POINT ptLast = {-1, -1};
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (pMsg->pt.x == ptLast.x && pMsg->pt.y == ptLast.y)
        {
            return FALSE;
        }
        ptLast = pMsg->pt;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != kCaretBlinkTimerMessage;
}

void WindowGone(CWnd* pWnd)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == pWnd)
    {
        // The end of the main window is the end of the application's loop.
        pApp->m_pMainWnd = nullptr;
        if (ThreadApp() == pApp)
        {
            ::PostQuitMessage(0);
        }
    }
}

void InitCommonControls(DWORD dwIccFlags)
{
    static std::atomic<DWORD> loaded{0};
    if ((loaded.load() & dwIccFlags) == dwIccFlags)
    {
        return;
    }
    INITCOMMONCONTROLSEX init = {sizeof(INITCOMMONCONTROLSEX), dwIccFlags};
    if (::InitCommonControlsEx(&init))
    {
        loaded.fetch_or(dwIccFlags);
    }
    else
    {
        TRACE(L"InitCommonControlsEx(0x%08lX) failed; controls of those classes cannot be created.\n",
              dwIccFlags);
    }
}

LRESULT ProcessWndProcException(CException* e, const MSG* pMsg)
{
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
    {
        wchar_t text[512];
        if (!e->GetErrorMessage(text, 512))
        {
            lstrcpynW(text, L"An internal error stopped the operation.", 512);
        }
        bool bMemory = e->IsKindOf(RUNTIME_CLASS(CMemoryException)) != FALSE;
        MessageBox(text, bMemory ? MB_ICONEXCLAMATION | MB_SYSTEMMODAL : MB_ICONSTOP);
    }
    return FailedMessageResult(pMsg);
}

LRESULT FailedMessageResult(const MSG* pMsg)
{
    switch (pMsg->message)
    {
    case WM_NCCREATE:
        return FALSE;
    case WM_CREATE:
        return -1;
    case WM_PAINT:
        // Validated, or the window would ask to be painted again at once.
        ::ValidateRect(pMsg->hwnd, nullptr);
        return 0;
    case WM_COMMAND:
        // A failed command counts as handled.
        return TRUE;
    default:
        return 0;
    }
}
} // namespace afxwnd
