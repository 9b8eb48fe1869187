// CCmdTarget, the framework's threads and their message loop.
#include "afxwin.h"

#include <new>
#include <process.h>

/////////////////////////////////////////////////////////////////////////////
// CCmdTarget

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() = default;

CCmdTarget::~CCmdTarget() = default;

/////////////////////////////////////////////////////////////////////////////
// CWinThread

namespace
{
unsigned __stdcall ThreadEntry(void* pParam)
{
    auto* pThread = static_cast<CWinThread*>(pParam);
    AFX_MODULE_THREAD_STATE* pState = AfxGetModuleThreadState();
    pState->m_pCurrentWinThread = pThread;

    UINT nResult = 0;
    if (pThread->m_pfnThreadProc != nullptr)
    {
        nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    }
    else
    {
        nResult = static_cast<UINT>(pThread->InitInstance() ? pThread->Run() : pThread->ExitInstance());
    }

    // What AfxEndThread does, but by returning, so the thread's own objects are destroyed as usual.
    pThread = pState->m_pCurrentWinThread;
    if (pThread != nullptr)
    {
        pThread->Delete();
    }
    pState->m_pCurrentWinThread = nullptr;
    return nResult;
}
} // namespace

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread() : CWinThread(nullptr, nullptr) {}

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_hThread(nullptr), m_nThreadID(0), m_bAutoDelete(TRUE), m_pMainWnd(nullptr), m_pThreadParams(pParam),
      m_pfnThreadProc(pfnThreadProc)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr)
    {
        CloseHandle(m_hThread);
    }
    AFX_MODULE_THREAD_STATE* pState = AfxGetModuleThreadState();
    if (pState->m_pCurrentWinThread == this)
    {
        pState->m_pCurrentWinThread = nullptr;
    }
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread != nullptr)
    {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
    }

    // Suspended until the handle and id are stored: the thread may delete this object when it ends.
    unsigned int nThreadID = 0;
    uintptr_t hThread = _beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, this,
                                       dwCreateFlags | CREATE_SUSPENDED, &nThreadID);
    if (hThread == 0)
    {
        return FALSE;
    }
    m_hThread = reinterpret_cast<HANDLE>(hThread);
    m_nThreadID = nThreadID;

    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
    {
        // The last use of this object here: from now on the thread may end and delete it.
        ::ResumeThread(reinterpret_cast<HANDLE>(hThread));
    }
    return TRUE;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
    {
        delete this;
    }
}

CWinThread::operator HANDLE() const
{
    return m_hThread;
}

namespace
{
// Starts a thread object made for AfxBeginThread: suspended until its priority is set, so the creator has
// finished with the object before the thread can end and delete it.
CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                        LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        DWORD dwError = GetLastError();
        pThread->Delete();
        SetLastError(dwError);
        return nullptr;
    }
    if (!pThread->SetThreadPriority(nPriority))
    {
        TRACE(L"AfxBeginThread: priority %d refused (error %lu); the thread keeps the normal priority.\n",
              nPriority, GetLastError());
    }
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
    {
        // The last use of the object: an auto-deleting thread may end and delete it at any time now.
        pThread->ResumeThread();
    }
    return pThread;
}
} // namespace

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pfnThreadProc == nullptr)
    {
        AfxThrowInvalidArgException();
    }
    auto* pThread = new (std::nothrow) CWinThread(pfnThreadProc, pParam);
    if (pThread == nullptr)
    {
        AfxThrowMemoryException();
    }
    return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pThreadClass == nullptr || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
    {
        AfxThrowInvalidArgException();
    }
    auto* pThread = static_cast<CWinThread*>(pThreadClass->CreateObject());
    if (pThread == nullptr)
    {
        TRACE(L"AfxBeginThread: cannot make an object of %hs.\n", pThreadClass->m_lpszClassName);
        return nullptr;
    }
    pThread->m_pThreadParams = nullptr;
    return StartThread(pThread, nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    AFX_MODULE_THREAD_STATE* pState = AfxGetModuleThreadState();
    CWinThread* pThread = pState->m_pCurrentWinThread;
    if (pThread != nullptr && bDelete)
    {
        pThread->Delete();
    }
    pState->m_pCurrentWinThread = nullptr;
    _endthreadex(nExitCode);
    // _endthreadex does not come back, but is not declared so everywhere.
    ExitThread(nExitCode);
}

CWinThread* AFXAPI AfxGetThread()
{
    return AfxGetModuleThreadState()->m_pCurrentWinThread;
}

/////////////////////////////////////////////////////////////////////////////
// CWinThread: the message loop

BOOL CWinThread::InitInstance()
{
    return TRUE;
}

int CWinThread::Run()
{
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

int CWinThread::ExitInstance()
{
    return static_cast<int>(AfxGetModuleThreadState()->m_msgCur.wParam);
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    // The windows the message is for, from its own up to the main window, may each take it (dialog
    // navigation, accelerators).
    CWnd* pMainWnd = GetMainWnd();
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

BOOL CWinThread::PumpMessage()
{
    MSG& msgCur = AfxGetModuleThreadState()->m_msgCur;
    BOOL bResult = GetMessageW(&msgCur, nullptr, 0, 0);
    if (bResult == 0)
    {
        return FALSE;
    }
    if (bResult == -1)
    {
        TRACE(L"CWinThread::PumpMessage: GetMessage failed (error %lu); the loop ends.\n", GetLastError());
        msgCur.wParam = static_cast<WPARAM>(-1);
        return FALSE;
    }
    // WM_KICKIDLE is only posted to wake a modal loop's idle processing; nothing handles it.
    if (msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&msgCur))
    {
        TranslateMessage(&msgCur);
        DispatchMessageW(&msgCur);
    }
    return TRUE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount >= 1)
    {
        // The temporary objects that FromHandle made for this thread go once nothing else is waiting,
        // unless somebody holds them.
        AfxLockTempMaps();
        AfxUnlockTempMaps(TRUE);
    }
    return lCount < 1;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
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
    return pMsg->message != WM_PAINT && pMsg->message != WM_SYSTIMER;
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pMainWnd != nullptr)
    {
        return m_pMainWnd;
    }
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp != this ? pApp->m_pMainWnd : nullptr;
}
