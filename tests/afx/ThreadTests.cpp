#include "AfxTestSupport.h"

#include <afxwin.h>

#include <gtest/gtest.h>

namespace
{
// Long enough that a thread which could run would have run; the tests never measure it.
constexpr DWORD kSettle = 200;
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

TEST(AfxThread, SuspendedThreadRunsOnlyAfterResume)
{
    Probe probe;
    probe.result = 1234;
    CWinThread* pThread =
        AfxBeginThread(RecordAndReturn, &probe, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    EXPECT_NE(nullptr, pThread->m_hThread);
    EXPECT_EQ(pThread->m_hThread, static_cast<HANDLE>(*pThread));
    EXPECT_NE(0u, pThread->m_nThreadID);
    EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, pThread->GetThreadPriority());

    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(probe.hStarted, kSettle));
    EXPECT_EQ(0, probe.runs);

    EXPECT_EQ(1u, pThread->ResumeThread()); // the previous suspend count
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(probe.hStarted, kGenerous));
    EXPECT_EQ(pThread, probe.pSeenThread);
    EXPECT_EQ(pThread->m_nThreadID, probe.seenId);
    EXPECT_EQ(STILL_ACTIVE, ExitCodeOf(pThread->m_hThread));

    SetEvent(probe.hGo);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(*pThread, kGenerous));
    EXPECT_EQ(1234u, ExitCodeOf(pThread->m_hThread));
    EXPECT_EQ(1, probe.runs);
    delete pThread;
}

TEST(AfxThread, SuspendAndResumeCountsNest)
{
    Probe probe;
    CWinThread* pThread =
        AfxBeginThread(RecordAndReturn, &probe, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    EXPECT_EQ(1u, pThread->SuspendThread());
    EXPECT_EQ(2u, pThread->ResumeThread());
    EXPECT_TRUE(pThread->SetThreadPriority(THREAD_PRIORITY_ABOVE_NORMAL));
    EXPECT_EQ(THREAD_PRIORITY_ABOVE_NORMAL, pThread->GetThreadPriority());
    EXPECT_EQ(1u, pThread->ResumeThread());
    SetEvent(probe.hGo);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(*pThread, kGenerous));
    delete pThread;
}

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

TEST(AfxThread, ManyShortAutoDeletingThreads)
{
    // Threads that end at once, while their creator is still returning from AfxBeginThread.
    constexpr int kThreads = 64;
    static volatile LONG finished;
    finished = 0;
    for (int i = 0; i < kThreads; ++i)
    {
        CWinThread* pThread = AfxBeginThread(
            [](LPVOID) -> UINT
            {
                InterlockedIncrement(&finished);
                return 0;
            },
            nullptr);
        ASSERT_NE(nullptr, pThread);
    }
    for (int i = 0; i < 1000 && finished < kThreads; ++i)
    {
        Sleep(10);
    }
    EXPECT_EQ(kThreads, finished);
}

TEST(AfxThread, NoThreadObjectOutsideFrameworkThreads)
{
    // The thread that constructed the application object runs it; any other thread the framework did not
    // start has none.
    EXPECT_EQ(AfxGetApp(), AfxGetThread());
    CWinThread* pSeen = AfxGetApp();
    HANDLE hThread = CreateThread(
        nullptr, 0,
        [](LPVOID pParam) -> DWORD
        {
            *static_cast<CWinThread**>(pParam) = AfxGetThread();
            return 0;
        },
        &pSeen, 0, nullptr);
    ASSERT_NE(nullptr, hThread);
    WaitForSingleObject(hThread, INFINITE);
    CloseHandle(hThread);
    EXPECT_EQ(nullptr, pSeen);
}

TEST(AfxThread, InvalidRequestsThrow)
{
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([] { AfxBeginThread(nullptr, nullptr); }));
    CWinThread userInterfaceThread; // the message-loop form is not available yet
    EXPECT_TRUE(ThrowsAfx<CNotSupportedException>([&] { userInterfaceThread.CreateThread(); }));
    EXPECT_EQ(nullptr, userInterfaceThread.m_hThread);
}

TEST(AfxThread, ThreadClassesAreCommandTargets)
{
    CWinThread thread;
    EXPECT_TRUE(thread.IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_TRUE(thread.m_bAutoDelete);
    EXPECT_EQ(0u, thread.m_nThreadID);
}
