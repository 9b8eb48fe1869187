// The framework's window classes and the application: CCmdTarget and CWinThread here, then (from the
// headers that make up this one) GDI objects and menus (afxgdi_.h, afxmenu_.h), message maps (afxmsg_.h),
// windows and frames (afxwnd_.h), dialogs and data exchange (afxdlg_.h), the standard controls
// (afxstdctl_.h), the application object (afxapp_.h) and extension DLLs (afxdll_.h).
//
//     class CMyApp : public CWinApp
//     {
//     public:
//         BOOL InitInstance() override { m_pMainWnd = new CMyFrame; return TRUE; }
//     };
//     CMyApp theApp;
#pragma once

#define AFX_UMBRELLA_AFXWIN_H
// Generated code checks for it to tell that afxwin.h came first (through the precompiled header).
#define __AFXWIN_H__

#include "afx.h"
#include "afxcoll.h"
#include "atltypes.h"
#include "afxmsg_.h"
#include "afxres.h"

#include <commdlg.h>

class CWnd;

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

// A thread started by the framework, in one of two forms. The worker form runs
// m_pfnThreadProc(m_pThreadParams) and ends with its result as the exit code. The user-interface form (a
// class derived from CWinThread, started by AfxBeginThread with its run-time class) calls InitInstance and,
// when that succeeds, Run: the thread's message loop, which ends on WM_QUIT with ExitInstance's result.
//
// By default (m_bAutoDelete TRUE) the object deletes itself when the thread ends, so the creator must not
// touch it once the thread may have finished; to keep it, create the thread suspended, set m_bAutoDelete to
// FALSE, resume it, and delete the object (which closes the handle) after the thread has ended.
//
//     class CUiThread : public CWinThread
//     {
//         DECLARE_DYNCREATE(CUiThread)
//     public:
//         BOOL InitInstance() override { return TRUE; }
//     };
//     CWinThread* pThread = AfxBeginThread(RUNTIME_CLASS(CUiThread));
//     ::PostThreadMessage(pThread->m_nThreadID, WM_QUIT, 0, 0);
class AFX_API CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    // Construction
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Starts the thread; dwCreateFlags as for CreateThread (CREATE_SUSPENDED leaves it suspended). FALSE
    // when the system cannot create it (GetLastError tells why).
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

    // Attributes
    int GetThreadPriority();
    BOOL SetThreadPriority(int nPriority);
    operator HANDLE() const;

    HANDLE m_hThread;
    DWORD m_nThreadID;
    BOOL m_bAutoDelete;
    // The thread's main window: its end posts WM_QUIT to the thread's loop.
    CWnd* m_pMainWnd;

    LPVOID m_pThreadParams;
    AFX_THREADPROC m_pfnThreadProc;

    // Operations
    // The previous suspend count, or (DWORD)-1 on failure.
    DWORD SuspendThread();
    DWORD ResumeThread();

    // Overridables
    // Start-up of a user-interface thread; FALSE ends the thread (with ExitInstance's result) at once.
    virtual BOOL InitInstance();
    // The message loop: idle processing while the queue is empty, then messages until WM_QUIT; returns
    // ExitInstance().
    virtual int Run();
    // The exit code: the wParam of the WM_QUIT that ended Run, 0 when no loop ran.
    virtual int ExitInstance();
    // Called for every message before it is translated and dispatched; TRUE when it was handled here. The
    // default offers it to the windows from the message's own up to the main window (dialog navigation,
    // accelerators), and a message of another top-level window to the main window as well.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Gets and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Idle work while the queue is empty; lCount counts the calls since the last idle-resetting message.
    // TRUE asks for more idle time. The default frees the thread's temporary objects on the second call
    // unless AfxLockTempMaps holds them.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages that must not restart idle processing (a mouse move to where the cursor already
    // was, paint and caret-blink timer messages).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // m_pMainWnd or, for a thread without one, the application's main window.
    virtual CWnd* GetMainWnd();
    // Called when the thread ends: deletes the object when m_bAutoDelete is set.
    virtual void Delete();
};

// Starts a worker thread running pfnThreadProc(pParam) at nPriority. The thread is created suspended and
// only resumed (unless dwCreateFlags holds CREATE_SUSPENDED) after everything the creator needs is in the
// object. Returns null when the thread cannot be created.
AFX_API CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                          int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                          DWORD dwCreateFlags = 0,
                                          LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// Starts a user-interface thread: a new object of pThreadClass (derived from CWinThread and creatable by
// name) runs InitInstance and Run on the new thread. Null when the object or the thread cannot be made.
AFX_API CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                          UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                          LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);

// Ends the calling thread at once with nExitCode, deleting its CWinThread (if bDelete and the object is
// auto-deleting). Objects on the thread's stack are not destroyed.
AFX_NORETURN AFX_API void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

// The CWinThread running the calling thread, or null for a thread the framework did not start.
AFX_API CWinThread* AFXAPI AfxGetThread();

#include "afxgdi_.h"
#include "afxmenu_.h"
#include "afxwnd_.h"
#include "afxdlg_.h"
#include "afxstdctl_.h"
#include "afxapp_.h"
#include "afxdll_.h"

// The thin wrappers, inline.
#include "afxwin1.inl"
#include "afxwin2.inl"
#include "afxstdctl_.inl"
