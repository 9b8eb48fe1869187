// The application object, its message loop and the program entry.
#include "afxadv.h"
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
      m_lpCmdLine(nullptr), m_nCmdShow(SW_SHOWNORMAL), m_pRecentFileList(nullptr), m_hDevMode(nullptr),
      m_hDevNames(nullptr), m_nWaitCursorCount(0), m_hcurWaitCursorRestore(nullptr)
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
    delete m_pRecentFileList;
    if (m_hDevMode != nullptr)
    {
        GlobalFree(m_hDevMode);
    }
    if (m_hDevNames != nullptr)
    {
        GlobalFree(m_hDevNames);
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
    return CWinThread::Run();
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    return CWinThread::ExitInstance();
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIconW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
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
    // Threads without a framework object of their own see nothing; the ones it started see their own
    // main window or the application's.
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
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
