#include "AfxTestSupport.h"

#include <afxwin.h>

#include <gtest/gtest.h>

namespace
{
constexpr DWORD kGenerous = 10000;

struct Probe
{
    HANDLE hGo = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    volatile LONG runs = 0;
    CWinThread* pSeenThread = nullptr;
    UINT result = 0;
    ~Probe() { CloseHandle(hGo); }
};

UINT AFX_CDECL RecordAndReturn(LPVOID pParam)
{
    auto* probe = static_cast<Probe*>(pParam);
    InterlockedIncrement(&probe->runs);
    probe->pSeenThread = AfxGetThread();
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

TEST(AfxThread, WorkerThreadsEndWithTheirCodeAndDeleteThemselvesUnlessKept)
{
    const struct
    {
        const char* name;
        AFX_THREADPROC pfn;
        BOOL bAutoDelete;
        UINT nResult;
        LONG nRuns; // 0: AfxEndThread ended the procedure before its end
    } cases[] = {{"auto-deleting", RecordAndReturn, TRUE, 77, 1},
                 {"kept by its owner", RecordAndReturn, FALSE, 5, 1},
                 {"AfxEndThread", EndEarly, TRUE, 42, 0}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Probe probe;
        probe.result = c.nResult;
        volatile LONG deleted = 0;
        auto* pThread = new CTrackedThread(c.pfn, &probe, &deleted);
        ASSERT_TRUE(pThread->m_bAutoDelete);
        pThread->m_bAutoDelete = c.bAutoDelete;
        ASSERT_TRUE(pThread->CreateThread(CREATE_SUSPENDED));
        // Kept open by the test: an auto-deleting object closes its own handle when it deletes itself.
        HANDLE hThread = Duplicate(pThread->m_hThread);
        ASSERT_NE(nullptr, hThread);
        pThread->ResumeThread();
        SetEvent(probe.hGo);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, kGenerous));
        EXPECT_EQ(c.nResult, ExitCodeOf(hThread));
        EXPECT_EQ(c.nRuns, probe.runs);
        EXPECT_TRUE(c.nRuns == 0 || probe.pSeenThread == pThread) << "AfxGetThread on the thread";
        EXPECT_EQ(c.bAutoDelete ? 1 : 0, deleted);
        if (!c.bAutoDelete)
        {
            EXPECT_FALSE(pThread->CreateThread()); // one thread per object
            EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
            delete pThread;
            EXPECT_EQ(1, deleted);
        }
        CloseHandle(hThread);
    }
}

/////////////////////////////////////////////////////////////////////////////
// User-interface threads: nothing in the library starts one, and their loop is the application's (run by
// the application tests), so one smoke test starts them

namespace
{
bool g_bRanOnItsThread = false;

class CLoopThread : public CWinThread
{
    DECLARE_DYNCREATE(CLoopThread)
public:
    BOOL InitInstance() override
    {
        g_bRanOnItsThread = AfxGetThread() == this && GetCurrentThreadId() == m_nThreadID;
        ::PostQuitMessage(9);
        return TRUE;
    }
};
IMPLEMENT_DYNCREATE(CLoopThread, CWinThread)

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

TEST(AfxThread, UserInterfaceThreadSmoke)
{
    CWinThread* pThread =
        AfxBeginThread(RUNTIME_CLASS(CLoopThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    ASSERT_TRUE(pThread->IsKindOf(RUNTIME_CLASS(CLoopThread)));
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, kGenerous));
    EXPECT_TRUE(g_bRanOnItsThread);
    EXPECT_EQ(9u, ExitCodeOf(pThread->m_hThread)); // the loop ran and ExitInstance gave WM_QUIT's code
    delete pThread;

    // A thread whose start fails ends with ExitInstance's code.
    pThread = AfxBeginThread(RUNTIME_CLASS(CRefusingThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, kGenerous));
    EXPECT_EQ(4u, ExitCodeOf(pThread->m_hThread));
    delete pThread;

    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([] { AfxBeginThread(nullptr, nullptr); }));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([] { AfxBeginThread(RUNTIME_CLASS(CObject)); }));
}

namespace
{
// A temporary DC object is marked by clearing its attribute DC; one made after the marked object was freed
// has it set again.
void MarkTemporary(HDC hDC)
{
    CDC::FromHandle(hDC)->m_hAttribDC = nullptr;
}

bool TemporaryIsMarked(HDC hDC)
{
    return CDC::FromHandle(hDC)->m_hAttribDC == nullptr;
}
} // namespace

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
