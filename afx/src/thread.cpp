// CCmdTarget and the framework's threads.
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

    UINT nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);

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
    : m_hThread(nullptr), m_nThreadID(0), m_bAutoDelete(TRUE), m_pThreadParams(pParam),
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
    if (m_pfnThreadProc == nullptr)
    {
        AfxThrowNotSupportedException();
    }
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

int CWinThread::GetThreadPriority()
{
    return ::GetThreadPriority(m_hThread);
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
    return ::SetThreadPriority(m_hThread, nPriority);
}

DWORD CWinThread::SuspendThread()
{
    return ::SuspendThread(m_hThread);
}

DWORD CWinThread::ResumeThread()
{
    return ::ResumeThread(m_hThread);
}

CWinThread::operator HANDLE() const
{
    return m_hThread;
}

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
