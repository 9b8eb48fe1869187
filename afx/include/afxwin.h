// Application framework classes: command targets and threads. Windows, message maps and the application
// object join this header in later steps.
#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "atltypes.h"
#include "afxmsg_.h"

// Base of every class that receives commands: its message map names the handlers.
class AFX_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Looks nID up in the message map chain (nCode: CN_COMMAND, CN_UPDATE_COMMAND_UI with a CCmdUI* in
    // pExtra, or MAKELONG(notification code, message) for control notifications and WM_NOTIFY) and calls the
    // handler; TRUE when one handled it. With pHandlerInfo the handler is only reported, not called.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    DECLARE_MESSAGE_MAP()
};

typedef UINT(AFX_CDECL* AFX_THREADPROC)(LPVOID);

// A thread started by the framework. The worker form runs m_pfnThreadProc(m_pThreadParams) and ends with
// its result as the exit code. By default (m_bAutoDelete TRUE) the object deletes itself when the thread
// ends, so the creator must not touch it once the thread may have finished; to keep it, create the thread
// suspended, set m_bAutoDelete to FALSE, resume it, and delete the object (which closes the handle) after
// the thread has ended.
class AFX_API CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    // The user-interface form (InitInstance and a message loop) arrives with the window classes; until then
    // CreateThread on an object without a thread procedure throws CNotSupportedException.
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the thread; dwCreateFlags as for CreateThread (CREATE_SUSPENDED leaves it suspended). FALSE
    // when the system cannot create it (GetLastError tells why).
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    // Called when the thread ends: deletes the object when m_bAutoDelete is set.
    virtual void Delete();

    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    // The previous suspend count, or (DWORD)-1 on failure.
    DWORD SuspendThread();
    DWORD ResumeThread();
    operator HANDLE() const;

    HANDLE m_hThread;
    DWORD m_nThreadID;
    BOOL m_bAutoDelete;

    LPVOID m_pThreadParams;
    AFX_THREADPROC m_pfnThreadProc;
};

// Starts a worker thread running pfnThreadProc(pParam) at nPriority. The thread is created suspended and
// only resumed (unless dwCreateFlags holds CREATE_SUSPENDED) after everything the creator needs is in the
// object. Returns null when the thread cannot be created.
AFX_API CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                          int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                          DWORD dwCreateFlags = 0,
                                          LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// Ends the calling thread at once with nExitCode, deleting its CWinThread (if bDelete and the object is
// auto-deleting). Objects on the thread's stack are not destroyed.
AFX_NORETURN AFX_API void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

// The CWinThread running the calling thread, or null for a thread the framework did not start.
AFX_API CWinThread* AFXAPI AfxGetThread();

// Windows, message maps, dialogs and the control classes.
#include "afxwnd_.h"
// The application object, module and resource state, message boxes and the program's entry.
#include "afxapp_.h"
