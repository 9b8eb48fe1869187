#include "AfxTestSupport.h"

#include <afxmt.h>
#include <afxwin.h>

#include <gtest/gtest.h>

#include <functional>

namespace
{
constexpr DWORD kGenerous = 10000;

// Runs body on a framework worker thread; the returned object belongs to the caller (Join deletes it).
class Worker
{
public:
    explicit Worker(std::function<void()> body) : m_body(std::move(body))
    {
        m_pThread = AfxBeginThread(&Worker::Run, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        if (m_pThread != nullptr)
        {
            m_pThread->m_bAutoDelete = FALSE;
            m_pThread->ResumeThread();
        }
    }
    ~Worker() { Join(); }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    bool Started() const { return m_pThread != nullptr; }
    bool Join()
    {
        if (m_pThread == nullptr)
        {
            return true;
        }
        bool ended = WaitForSingleObject(m_pThread->m_hThread, kGenerous) == WAIT_OBJECT_0;
        if (ended)
        {
            delete m_pThread;
            m_pThread = nullptr;
        }
        return ended;
    }

private:
    static UINT AFX_CDECL Run(LPVOID pParam)
    {
        static_cast<Worker*>(pParam)->m_body();
        return 0;
    }

    std::function<void()> m_body;
    CWinThread* m_pThread = nullptr;
};
} // namespace

TEST(AfxSync, CriticalSectionKeepsTwoThreadsOutOfEachOther)
{
    CCriticalSection section;
    // Read, pause, write: without the lock the two threads would lose each other's increments.
    int counter = 0;
    auto work = [&]
    {
        for (int i = 0; i < 2000; ++i)
        {
            CSingleLock lock(&section, TRUE);
            int seen = counter;
            if (i % 64 == 0)
            {
                Sleep(0);
            }
            counter = seen + 1;
        }
    };
    Worker first(work);
    Worker second(work);
    ASSERT_TRUE(first.Started() && second.Started());
    ASSERT_TRUE(first.Join());
    ASSERT_TRUE(second.Join());
    EXPECT_EQ(4000, counter);
}

TEST(AfxSync, SingleLockBlocksTheOtherThreadUntilReleased)
{
    CCriticalSection section;
    CEvent trying(FALSE, TRUE);
    volatile LONG entered = 0;
    CSingleLock holder(&section, TRUE);
    ASSERT_TRUE(holder.IsLocked());

    Worker other(
        [&]
        {
            trying.SetEvent();
            CSingleLock lock(&section);
            lock.Lock();
            InterlockedExchange(&entered, 1);
        });
    ASSERT_TRUE(other.Started());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(trying, kGenerous));
    Sleep(100); // give it every chance to get in; it must not
    EXPECT_EQ(0, entered);

    EXPECT_TRUE(holder.Unlock());
    EXPECT_FALSE(holder.IsLocked());
    ASSERT_TRUE(other.Join());
    EXPECT_EQ(1, entered);
}

TEST(AfxSync, CriticalSectionLockWithTimeoutGivesUpWhileHeldElsewhere)
{
    CCriticalSection section;
    CEvent held(FALSE, TRUE);
    CEvent release(FALSE, TRUE);
    Worker owner(
        [&]
        {
            CSingleLock lock(&section, TRUE);
            held.SetEvent();
            WaitForSingleObject(release, kGenerous);
        });
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held, kGenerous));
    CSingleLock attempt(&section);
    EXPECT_FALSE(attempt.Lock(30));
    EXPECT_FALSE(attempt.IsLocked());
    release.SetEvent();
    ASSERT_TRUE(owner.Join());
    EXPECT_TRUE(attempt.Lock(30));
    EXPECT_TRUE(attempt.IsLocked());
}

TEST(AfxSync, EventReleasesAWaitingThread)
{
    CEvent ready; // auto-reset, not signalled
    volatile LONG woke = 0;
    Worker waiter(
        [&]
        {
            CSingleLock lock(&ready);
            if (lock.Lock(kGenerous))
            {
                InterlockedExchange(&woke, 1);
            }
        });
    ASSERT_TRUE(waiter.Started());
    EXPECT_TRUE(ready.SetEvent());
    ASSERT_TRUE(waiter.Join());
    EXPECT_EQ(1, woke);
    // The waiter's wait consumed the auto-reset signal.
    CSingleLock probe(&ready);
    EXPECT_FALSE(probe.Lock(0));
}

TEST(AfxSync, ManualResetEventStaysSignalledUntilReset)
{
    CEvent gate(FALSE, TRUE);
    CSingleLock lock(&gate);
    EXPECT_FALSE(lock.Lock(0));
    gate.SetEvent();
    EXPECT_TRUE(lock.Lock(0));
    EXPECT_TRUE(lock.Unlock());
    EXPECT_TRUE(lock.Lock(0));
    lock.Unlock();
    gate.ResetEvent();
    EXPECT_FALSE(lock.Lock(0));
    CEvent initiallySet(TRUE, TRUE);
    EXPECT_TRUE(CSingleLock(&initiallySet).Lock(0));
}

TEST(AfxSync, MutexIsExclusiveAndCountsAbandonment)
{
    CMutex mutex;
    CEvent held(FALSE, TRUE);
    // The worker ends while owning the mutex: the next owner still gets it.
    Worker owner(
        [&]
        {
            mutex.Lock();
            held.SetEvent();
        });
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held, kGenerous));
    ASSERT_TRUE(owner.Join());
    CSingleLock lock(&mutex);
    EXPECT_TRUE(lock.Lock(kGenerous));
    EXPECT_TRUE(lock.Unlock());

    CMutex owned(TRUE);
    bool otherGotIt = true;
    Worker other([&] { otherGotIt = CSingleLock(&owned).Lock(0) != FALSE; });
    ASSERT_TRUE(other.Join());
    EXPECT_FALSE(otherGotIt);
    EXPECT_TRUE(owned.Unlock());
}

TEST(AfxSync, SemaphoreCountsItsHolders)
{
    CSemaphore semaphore(2, 2);
    CSingleLock first(&semaphore);
    CSingleLock second(&semaphore);
    CSingleLock third(&semaphore);
    EXPECT_TRUE(first.Lock(0));
    EXPECT_TRUE(second.Lock(0));
    EXPECT_FALSE(third.Lock(0));
    EXPECT_TRUE(first.Unlock());
    EXPECT_TRUE(third.Lock(0));
    LONG previous = -1;
    EXPECT_TRUE(second.Unlock(1, &previous));
    EXPECT_EQ(0, previous);
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([] { CSemaphore bad(3, 2); }));
}

TEST(AfxSync, SingleLockReleasesOnDestructionAndLocksOnce)
{
    CSemaphore semaphore(1, 1);
    {
        CSingleLock lock(&semaphore, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_TRUE(lock.Lock(0)); // already held: not taken a second time
    }
    CSingleLock again(&semaphore);
    EXPECT_TRUE(again.Lock(0));
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([] { CSingleLock bad(nullptr); }));
}

TEST(AfxSync, NamedObjectsAreSharedAndClassesKnown)
{
    CEvent first(FALSE, TRUE, L"PardalinAfxTestEvent");
    CEvent second(FALSE, TRUE, L"PardalinAfxTestEvent");
    first.SetEvent();
    EXPECT_TRUE(CSingleLock(&second).Lock(0));
    EXPECT_NE(nullptr, static_cast<HANDLE>(first));

    CCriticalSection section;
    EXPECT_EQ(nullptr, section.m_hObject);
    EXPECT_EQ(&section.m_sect, static_cast<CRITICAL_SECTION*>(section));
    EXPECT_TRUE(section.IsKindOf(RUNTIME_CLASS(CSyncObject)));
    EXPECT_TRUE(first.IsKindOf(RUNTIME_CLASS(CEvent)));
    EXPECT_FALSE(first.IsKindOf(RUNTIME_CLASS(CMutex)));
}
