// Synchronisation objects: nothing in the library uses them, so each class has a smoke test that would fail
// if it did not reach its kernel object.
#include "AfxTestSupport.h"

#include <afxmt.h>

#include <gtest/gtest.h>

TEST(AfxSync, CriticalSectionIsHeldByOneThreadAtATime)
{
    struct Attempt
    {
        CCriticalSection section;
        BOOL bOtherGotIt = TRUE;
    } attempt;
    ASSERT_TRUE(attempt.section.Lock());
    HANDLE hThread = ::CreateThread(
        nullptr, 0,
        [](LPVOID pParam) -> DWORD
        {
            auto* pAttempt = static_cast<Attempt*>(pParam);
            pAttempt->bOtherGotIt = pAttempt->section.Lock(0);
            return 0;
        },
        &attempt, 0, nullptr);
    ASSERT_NE(nullptr, hThread);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hThread, 10000));
    ::CloseHandle(hThread);
    EXPECT_FALSE(attempt.bOtherGotIt);
    EXPECT_TRUE(attempt.section.Unlock());
}

TEST(AfxSync, EventMutexSemaphoreAndSingleLockSmoke)
{
    CEvent gate(FALSE, TRUE);
    EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(gate, 0));
    EXPECT_TRUE(gate.SetEvent());
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(gate, 0));
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(gate, 0)) << "a manual event stays set";

    CMutex mutex(TRUE);
    EXPECT_TRUE(mutex.Unlock());
    EXPECT_FALSE(mutex.Unlock()) << "no longer owned";

    CSemaphore semaphore(1, 1);
    {
        CSingleLock lock(&semaphore, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_FALSE(semaphore.Lock(0));
    }
    LONG nPrevious = -1;
    EXPECT_TRUE(semaphore.Lock(0)) << "the single lock released what it held";
    EXPECT_TRUE(semaphore.Unlock(1, &nPrevious));
    EXPECT_EQ(0, nPrevious);
    EXPECT_TRUE(ThrowsAfx<CInvalidArgException>([] { CSemaphore bad(3, 2); }));
}
