// Synchronisation objects: nothing in the library uses them, and each passes its calls on to the system, so
// one smoke test would fail if one of them did not reach its kernel object.
#include "AfxTestSupport.h"

#include <afxmt.h>

#include <gtest/gtest.h>

TEST(AfxSync, SynchronisationObjectsSmoke)
{
    CCriticalSection section;
    EXPECT_TRUE(section.Lock());
    EXPECT_TRUE(section.Unlock());

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
