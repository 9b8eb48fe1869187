#include "AfxTestSupport.h"

#include "WndTestResources.h"

#include <afxwin.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
constexpr DWORD kGenerous = 10000;

struct Probe
{
    HANDLE hStarted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE hGo = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    volatile LONG runs = 0;
    CWinThread* pSeenThread = nullptr;
    DWORD seenId = 0;
    UINT result = 0;
    ~Probe()
    {
        CloseHandle(hStarted);
        CloseHandle(hGo);
    }
};

UINT AFX_CDECL RecordAndReturn(LPVOID pParam)
{
    auto* probe = static_cast<Probe*>(pParam);
    InterlockedIncrement(&probe->runs);
    probe->pSeenThread = AfxGetThread();
    probe->seenId = GetCurrentThreadId();
    SetEvent(probe->hStarted);
    WaitForSingleObject(probe->hGo, kGenerous);
    return probe->result;
}

UINT AFX_CDECL EndEarly(LPVOID pParam)
{
    auto* probe = static_cast<Probe*>(pParam);
    AfxEndThread(probe->result);
    InterlockedIncrement(&probe->runs); // never reached
    return 0;
}

// Tells whether (and when) the framework deleted it.
class CTrackedThread : public CWinThread
{
public:
    CTrackedThread(AFX_THREADPROC pfn, LPVOID pParam, volatile LONG* pDeleted)
        : CWinThread(pfn, pParam), m_pDeleted(pDeleted)
    {
    }
    ~CTrackedThread() override { InterlockedIncrement(m_pDeleted); }

private:
    volatile LONG* m_pDeleted;
};

HANDLE Duplicate(HANDLE h)
{
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), h, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS);
    return copy;
}

DWORD ExitCodeOf(HANDLE h)
{
    DWORD code = 0;
    GetExitCodeThread(h, &code);
    return code;
}
} // namespace

TEST(AfxThread, AutoDeletingThreadDeletesItselfWhenItEnds)
{
    Probe probe;
    probe.result = 77;
    volatile LONG deleted = 0;
    auto* pThread = new CTrackedThread(RecordAndReturn, &probe, &deleted);
    ASSERT_TRUE(pThread->m_bAutoDelete);
    ASSERT_TRUE(pThread->CreateThread(CREATE_SUSPENDED));
    // Kept open by the test: the object closes its own handle when it deletes itself.
    HANDLE hThread = Duplicate(pThread->m_hThread);
    ASSERT_NE(nullptr, hThread);
    pThread->ResumeThread();
    pThread = nullptr;

    SetEvent(probe.hGo);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, kGenerous));
    EXPECT_EQ(1, deleted);
    EXPECT_EQ(77u, ExitCodeOf(hThread));
    CloseHandle(hThread);
}

TEST(AfxThread, ThreadWithoutAutoDeleteIsLeftToItsOwner)
{
    Probe probe;
    probe.result = 5;
    volatile LONG deleted = 0;
    auto* pThread = new CTrackedThread(RecordAndReturn, &probe, &deleted);
    pThread->m_bAutoDelete = FALSE;
    ASSERT_TRUE(pThread->CreateThread());
    SetEvent(probe.hGo);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(pThread->m_hThread, kGenerous));
    EXPECT_EQ(0, deleted);
    EXPECT_EQ(5u, ExitCodeOf(pThread->m_hThread));
    EXPECT_FALSE(pThread->CreateThread()); // one thread per object
    EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    delete pThread;
    EXPECT_EQ(1, deleted);
}

TEST(AfxThread, AfxEndThreadEndsAtOnceWithItsCodeAndDeletes)
{
    Probe probe;
    probe.result = 42;
    volatile LONG deleted = 0;
    auto* pThread = new CTrackedThread(EndEarly, &probe, &deleted);
    ASSERT_TRUE(pThread->CreateThread(CREATE_SUSPENDED));
    HANDLE hThread = Duplicate(pThread->m_hThread);
    pThread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, kGenerous));
    EXPECT_EQ(42u, ExitCodeOf(hThread));
    EXPECT_EQ(0, probe.runs);
    EXPECT_EQ(1, deleted);
    CloseHandle(hThread);
}

TEST(AfxThread, InvalidRequestsThrow)
{
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([] { AfxBeginThread(nullptr, nullptr); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([] { AfxBeginThread(RUNTIME_CLASS(CObject)); }));
}

/////////////////////////////////////////////////////////////////////////////
// User-interface threads: their own loop, idle processing and modal loops

namespace
{
const UINT WM_APP_TEMP = WM_APP + 60;   // makes a temporary window object and marks it
const UINT WM_APP_DIALOG = WM_APP + 61; // runs a modal dialog inside the thread's loop
const UINT WM_APP_SCRIPT = WM_APP + 62; // posted by the dialog to itself once it is up
// A temporary DC object is marked by clearing its attribute DC; one made after the marked object was
// freed has it set again.
void MarkTemporary(HDC hDC)
{
    CDC::FromHandle(hDC)->m_hAttribDC = nullptr;
}

bool TemporaryIsMarked(HDC hDC)
{
    return CDC::FromHandle(hDC)->m_hAttribDC == nullptr;
}

// What the thread saw; the test reads it after the thread has ended (its handle is signalled).
struct LoopRecord
{
    HANDLE hStarted = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE hIdleAfterTemp = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE hDialogDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool bTempKeptWhileLocked = false;
    bool bTempFreedOnIdle = false;
    bool bDialogMessageSeen = false;
    INT_PTR nDialogResult = 0;
    LONG nMaxIdleCount = -1;
    bool bRanOnItsThread = false;
    ~LoopRecord()
    {
        CloseHandle(hStarted);
        CloseHandle(hIdleAfterTemp);
        CloseHandle(hDialogDone);
    }
};
LoopRecord* g_pRecord = nullptr;

class CScriptDialog : public CDialog
{
public:
    CScriptDialog() : CDialog(IDD_WND_DATA) {}
    BOOL OnInitDialog() override
    {
        BOOL bFocus = CDialog::OnInitDialog();
        PostMessage(WM_APP_SCRIPT);
        return bFocus;
    }
};

class CLoopThread : public CWinThread
{
    DECLARE_DYNCREATE(CLoopThread)
public:
    BOOL InitInstance() override
    {
        g_pRecord->bRanOnItsThread = AfxGetThread() == this && GetCurrentThreadId() == m_nThreadID;
        // The thread's queue exists from here on, so the test may post to it.
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        ::SetEvent(g_pRecord->hStarted);
        return TRUE;
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        switch (pMsg->message)
        {
        case WM_APP_TEMP:
            // A temporary object that survives idle time while the maps are locked, and goes after.
            MarkTemporary(m_hDC);
            AfxLockTempMaps();
            CWinThread::OnIdle(1);
            g_pRecord->bTempKeptWhileLocked = TemporaryIsMarked(m_hDC);
            AfxUnlockTempMaps(FALSE);
            m_bWatchTemp = true;
            return TRUE;
        case WM_APP_DIALOG:
        {
            CScriptDialog dlg;
            g_pRecord->nDialogResult = dlg.DoModal();
            ::SetEvent(g_pRecord->hDialogDone);
            return TRUE;
        }
        case WM_APP_SCRIPT:
            // Reaching here means the modal loop pumped through this thread's object.
            g_pRecord->bDialogMessageSeen = true;
            static_cast<CDialog*>(CWnd::FromHandlePermanent(pMsg->hwnd))->EndDialog(IDRETRY);
            return TRUE;
        default:
            return CWinThread::PreTranslateMessage(pMsg);
        }
    }

    BOOL OnIdle(LONG lCount) override
    {
        BOOL bMore = CWinThread::OnIdle(lCount);
        g_pRecord->nMaxIdleCount = std::max(g_pRecord->nMaxIdleCount, lCount);
        if (m_bWatchTemp && lCount >= 1)
        {
            m_bWatchTemp = false;
            g_pRecord->bTempFreedOnIdle = !TemporaryIsMarked(m_hDC);
            ::SetEvent(g_pRecord->hIdleAfterTemp);
        }
        return bMore;
    }

    int ExitInstance() override
    {
        ::DeleteDC(m_hDC);
        return CWinThread::ExitInstance();
    }

private:
    bool m_bWatchTemp = false;
    HDC m_hDC = ::CreateCompatibleDC(nullptr);
};
IMPLEMENT_DYNCREATE(CLoopThread, CWinThread)
} // namespace

TEST(AfxThread, UserInterfaceThreadRunsItsLoopIdlesAndQuits)
{
    LoopRecord record;
    g_pRecord = &record;
    CWinThread* pThread =
        AfxBeginThread(RUNTIME_CLASS(CLoopThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    ASSERT_TRUE(pThread->IsKindOf(RUNTIME_CLASS(CLoopThread)));
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(record.hStarted, kGenerous));
    ASSERT_TRUE(::PostThreadMessageW(pThread->m_nThreadID, WM_APP_TEMP, 0, 0));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(record.hIdleAfterTemp, kGenerous));
    ASSERT_TRUE(::PostThreadMessageW(pThread->m_nThreadID, WM_APP_DIALOG, 0, 0));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(record.hDialogDone, kGenerous));
    ASSERT_TRUE(::PostThreadMessageW(pThread->m_nThreadID, WM_QUIT, 9, 0));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, kGenerous));

    EXPECT_TRUE(record.bRanOnItsThread);
    EXPECT_GE(record.nMaxIdleCount, 1);
    EXPECT_TRUE(record.bTempKeptWhileLocked);
    EXPECT_TRUE(record.bTempFreedOnIdle);
    EXPECT_TRUE(record.bDialogMessageSeen);
    EXPECT_EQ(IDRETRY, record.nDialogResult);
    EXPECT_EQ(9u, ExitCodeOf(pThread->m_hThread)); // ExitInstance gives WM_QUIT's code
    delete pThread;
    g_pRecord = nullptr;
}

namespace
{
class CRefusingThread : public CWinThread
{
    DECLARE_DYNCREATE(CRefusingThread)
public:
    BOOL InitInstance() override { return FALSE; }
    int Run() override { return 99; } // never reached
    int ExitInstance() override { return 4; }
};
IMPLEMENT_DYNCREATE(CRefusingThread, CWinThread)
} // namespace

TEST(AfxThread, UserInterfaceThreadWhoseStartFailsEndsWithExitInstance)
{
    CWinThread* pThread =
        AfxBeginThread(RUNTIME_CLASS(CRefusingThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, kGenerous));
    EXPECT_EQ(4u, ExitCodeOf(pThread->m_hThread));
    delete pThread;
}

TEST(AfxTempMaps, IdleFreesTemporaryObjectsOnlyWhenUnlocked)
{
    // The application's own idle processing, on the thread that runs it.
    CWinThread* pThread = AfxGetThread();
    ASSERT_NE(nullptr, pThread);
    HDC hDC = ::CreateCompatibleDC(nullptr);
    CDC* pTemp = CDC::FromHandle(hDC);
    ASSERT_NE(nullptr, pTemp);
    EXPECT_EQ(pTemp, CDC::FromHandle(hDC)); // one temporary object per handle
    MarkTemporary(hDC);

    AfxLockTempMaps();
    EXPECT_FALSE(pThread->OnIdle(1));
    EXPECT_TRUE(TemporaryIsMarked(hDC));
    EXPECT_FALSE(AfxUnlockTempMaps(FALSE));

    EXPECT_TRUE(pThread->OnIdle(0)); // the first idle call asks for more and frees nothing yet
    EXPECT_TRUE(TemporaryIsMarked(hDC));
    pThread->OnIdle(1);
    EXPECT_FALSE(TemporaryIsMarked(hDC));
    // The handle itself is left alone.
    EXPECT_EQ(OBJ_MEMDC, static_cast<int>(::GetObjectType(hDC)));
    ::DeleteDC(hDC);
}
