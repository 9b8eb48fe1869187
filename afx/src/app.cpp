// The application object, its message loop and the program entry.
#include "afxwin.h"
#include "afximpl.h"

#include <cstdlib>
#include <cwchar>

LPTSTR afximpl::DuplicateString(LPCTSTR lpsz)
{
    LPTSTR lpszCopy = _wcsdup(lpsz);
    if (lpszCopy == nullptr)
    {
        AfxThrowMemoryException();
    }
    return lpszCopy;
}

namespace
{
void FreeString(LPCTSTR& lpsz)
{
    free(const_cast<LPTSTR>(lpsz));
    lpsz = nullptr;
}

// The full path of a module, however long.
CString ModulePath(HMODULE hModule)
{
    CString strPath;
    for (DWORD nSize = MAX_PATH;; nSize *= 2)
    {
        DWORD nLength = GetModuleFileNameW(hModule, strPath.GetBuffer(static_cast<int>(nSize)), nSize);
        if (nLength == 0)
        {
            strPath.ReleaseBuffer(0);
            return strPath;
        }
        if (nLength < nSize)
        {
            strPath.ReleaseBuffer(static_cast<int>(nLength));
            return strPath;
        }
        strPath.ReleaseBuffer(0);
        if (nSize >= 32768)
        {
            return strPath;
        }
    }
}

// The file name of a path without its folder and extension.
CString BaseName(const CString& strPath)
{
    int nStart = 0;
    for (int i = strPath.GetLength() - 1; i >= 0; --i)
    {
        if (strPath[i] == L'\\' || strPath[i] == L'/' || strPath[i] == L':')
        {
            nStart = i + 1;
            break;
        }
    }
    CString strName = strPath.Mid(nStart);
    int nDot = strName.ReverseFind(L'.');
    return nDot > 0 ? strName.Left(nDot) : strName;
}

// Unless somebody holds them, the thread's temporary window, menu and GDI objects are deleted.
void FreeTemporaryObjects()
{
    AfxLockTempMaps();
    AfxUnlockTempMaps(TRUE);
}
} // namespace

CString afximpl::ModuleBaseName(HMODULE hModule)
{
    return BaseName(ModulePath(hModule));
}

/////////////////////////////////////////////////////////////////////////////
// CWinApp

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_pszAppName(lpszAppName != nullptr ? afximpl::DuplicateString(lpszAppName) : nullptr),
      m_pszExeName(nullptr), m_pszProfileName(nullptr), m_pszRegistryKey(nullptr), m_hInstance(nullptr),
      m_lpCmdLine(nullptr), m_nCmdShow(SW_SHOWNORMAL), m_pMainWnd(nullptr)
{
    // The application object lives as long as the program; it must never delete itself as a thread.
    m_bAutoDelete = FALSE;
    m_nThreadID = GetCurrentThreadId();
    HANDLE hThread = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &hThread, 0, FALSE,
                        DUPLICATE_SAME_ACCESS))
    {
        m_hThread = hThread;
    }

    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (pState->m_pCurrentWinApp != nullptr)
    {
        TRACE(L"CWinApp: the process already has an application object; this one stays unregistered.\n");
        return;
    }
    pState->m_pCurrentWinApp = this;
    AfxGetModuleThreadState()->m_pCurrentWinThread = this;
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (pState->m_pCurrentWinApp == this)
    {
        pState->m_pCurrentWinApp = nullptr;
    }
    if (pState->m_lpszCurrentAppName == m_pszAppName)
    {
        pState->m_lpszCurrentAppName = nullptr;
    }
    FreeString(m_pszAppName);
    FreeString(m_pszExeName);
    FreeString(m_pszProfileName);
    FreeString(m_pszRegistryKey);
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    if (m_pMainWnd == nullptr)
    {
        TRACE(L"CWinApp::Run: m_pMainWnd is null; the application quits.\n");
        PostQuitMessage(0);
    }
    MSG& msgCur = AfxGetModuleThreadState()->m_msgCur;
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;)
    {
        while (bIdle && !PeekMessageW(&msgCur, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
            {
                bIdle = FALSE;
            }
        }
        do
        {
            if (!PumpMessage())
            {
                return ExitInstance();
            }
            if (IsIdleMessage(&msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (PeekMessageW(&msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

int CWinApp::ExitInstance()
{
    return static_cast<int>(AfxGetModuleThreadState()->m_msgCur.wParam);
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg)
{
    // The windows the message is for, from its own up to the main window, may each take it (dialog
    // navigation, accelerators).
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hMainWnd = pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr;
    if (CWnd::WalkPreTranslateTree(hMainWnd, pMsg))
    {
        return TRUE;
    }
    // A modeless window outside the main window still gets the main window's accelerators.
    if (hMainWnd != nullptr && pMsg->hwnd != nullptr && GetAncestor(pMsg->hwnd, GA_ROOT) != hMainWnd)
    {
        return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount >= 1)
    {
        // The temporary objects that FromHandle made for this thread go once nothing else is waiting.
        FreeTemporaryObjects();
    }
    return lCount < 1;
}

BOOL CWinApp::PumpMessage()
{
    MSG& msgCur = AfxGetModuleThreadState()->m_msgCur;
    BOOL bResult = GetMessageW(&msgCur, nullptr, 0, 0);
    if (bResult == 0)
    {
        return FALSE;
    }
    if (bResult == -1)
    {
        TRACE(L"CWinApp::PumpMessage: GetMessage failed (error %lu); the loop ends.\n", GetLastError());
        msgCur.wParam = static_cast<WPARAM>(-1);
        return FALSE;
    }
    if (!PreTranslateMessage(&msgCur))
    {
        TranslateMessage(&msgCur);
        DispatchMessageW(&msgCur);
    }
    return TRUE;
}

BOOL CWinApp::IsIdleMessage(MSG* pMsg)
{
    AFX_MODULE_THREAD_STATE* pState = AfxGetModuleThreadState();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (pState->m_nMsgLast == pMsg->message && pState->m_ptCursorLast.x == pMsg->pt.x &&
            pState->m_ptCursorLast.y == pMsg->pt.y)
        {
            return FALSE;
        }
        pState->m_ptCursorLast = pMsg->pt;
        pState->m_nMsgLast = pMsg->message;
        return TRUE;
    }
    const UINT WM_SYSTIMER = 0x0118; // the caret blink
    return pMsg->message != WM_PAINT && pMsg->message != WM_SYSTIMER;
}

CWnd* CWinApp::GetMainWnd()
{
    return m_pMainWnd;
}

void CWinApp::SetCurrentHandles()
{
    CString strExeName = afximpl::ModuleBaseName(m_hInstance);
    if (m_pszExeName == nullptr)
    {
        m_pszExeName = afximpl::DuplicateString(strExeName);
    }
    if (m_pszAppName == nullptr)
    {
        CString strTitle;
        m_pszAppName = afximpl::DuplicateString(strTitle.LoadString(AFX_IDS_APP_TITLE) ? strTitle.GetString()
                                                                                       : m_pszExeName);
    }
    if (AfxGetApp() == this)
    {
        AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;
    }
    if (m_pszProfileName == nullptr)
    {
        m_pszProfileName = afximpl::DuplicateString(CString(m_pszExeName) + L".INI");
    }
}

/////////////////////////////////////////////////////////////////////////////
// Application and module state

CWinApp* AFXAPI AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    return AfxGetModuleState()->m_lpszCurrentAppName;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    HINSTANCE hInstance = AfxGetModuleState()->m_hCurrentInstanceHandle;
    return hInstance != nullptr ? hInstance : GetModuleHandleW(nullptr);
}

CWnd* AFXAPI AfxGetMainWnd()
{
    // Threads without a framework object of their own see nothing, as in the framework; the ones it
    // started see the application's main window.
    if (AfxGetThread() == nullptr)
    {
        return nullptr;
    }
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->GetMainWnd() : nullptr;
}

MSG* AFXAPI AfxGetCurrentMessage()
{
    return &AfxGetModuleThreadState()->m_msgCur;
}

/////////////////////////////////////////////////////////////////////////////
// Program entry

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    // Missing floppies and files are reported by the calls that meet them, not by system dialogs.
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentInstanceHandle = hInstance;
    pState->m_hCurrentResourceHandle = hInstance;

    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
    {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    int nReturnCode = -1;
    try
    {
        CWinApp* pApp = AfxGetApp();
        if (pApp == nullptr)
        {
            TRACE(L"AfxWinMain: the program has no CWinApp object.\n");
        }
        else if (AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) && pApp->InitApplication())
        {
            if (pApp->InitInstance())
            {
                nReturnCode = pApp->Run();
            }
            else
            {
                // A main window made before the failure must not outlive the program's start-up.
                if (pApp->m_pMainWnd != nullptr)
                {
                    TRACE(L"AfxWinMain: InitInstance failed; destroying the main window it made.\n");
                    pApp->m_pMainWnd->DestroyWindow();
                }
                nReturnCode = pApp->ExitInstance();
            }
        }
    }
    catch (CException* e)
    {
        // An exception out of start-up or the message loop ends the program with an explanation rather than
        // a crash.
        wchar_t szMessage[512] = L"";
        if (!e->GetErrorMessage(szMessage, 512) || szMessage[0] == 0)
        {
            wcscpy(szMessage, L"No error message is available.");
        }
        e->Delete();
        AfxMessageBox(szMessage, MB_ICONSTOP);
        nReturnCode = -1;
    }
    AfxWinTerm();
    return nReturnCode;
}

void AFXAPI AfxWinTerm()
{
    FreeTemporaryObjects();
}

HWND afximpl::MainWindowHandle()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    return pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr;
}
