#include "net/detail/LibraryLock.h"
#include "net/detail/VCriticalSection.h"
#include "core/detail/OwnedHandle.h"
#include "net/detail/VSynchLock.h"

#include <gtest/gtest.h>

#include <thread>

// The helpers under test live in the library's detail namespace, or beside it.
using namespace pardalin::detail;

namespace
{
// Records what a holder does to its lock.
struct CountingLock : VUnknown<ISynchObject>
{
    int locks = 0;
    int unlocks = 0;
    void Lock() override { ++locks; }
    void Unlock() override { ++unlocks; }
    LONG References()
    {
        AddRef();
        return static_cast<LONG>(Release());
    }
};
} // namespace

TEST(InternalSynchLock, HoldsAReferenceAndTheLockForItsScopeAndTakesANullObject)
{
    auto* lock = new CountingLock;
    {
        VSynchLock holder(lock);
        EXPECT_TRUE(holder.IsLocked());
        EXPECT_EQ(1, lock->locks);
        EXPECT_EQ(2, lock->References()) << "the holder keeps the lock alive";

        holder.Unlock();
        EXPECT_FALSE(holder.IsLocked());
        EXPECT_EQ(1, lock->unlocks);
        holder.Relock();
        EXPECT_EQ(2, lock->locks);
    }
    EXPECT_EQ(2, lock->unlocks) << "a locked holder unlocks when it goes";
    EXPECT_EQ(1, lock->References());

    {
        VSynchLock holder(lock);
        holder.Unlock();
    }
    EXPECT_EQ(3, lock->unlocks) << "an unlocked holder does not unlock again";
    lock->Release();

    VSynchLock none(nullptr); // a null object neither locks nor fails
    none.Unlock();
    none.Relock();
    EXPECT_TRUE(none.IsLocked());
}

TEST(InternalSynchLock, CriticalSectionsAreReentrantAndHandOverWhenFullyReleased)
{
    auto* section = new VCriticalSection;
    int written = 0;
    int seen = 0;
    std::thread other;
    {
        VSynchLock outer(section);
        VSynchLock inner(section); // the thread that holds it may take it again
        other = std::thread(
            [&]
            {
                VSynchLock taken(section);
                seen = written;
            });
        written = 1; // the other thread gets the lock only after both holders let it go
    }
    other.join();
    EXPECT_EQ(1, seen);
    section->Release();

    // The library's own lock exists once the library is loaded.
    ISynchObject* library = pardalin::detail::LibraryLock();
    ASSERT_NE(nullptr, library);
    EXPECT_EQ(library, pardalin::detail::LibraryLock());
}

TEST(InternalOwnedHandle, ClosingKeepsTheLastErrorAndIgnoresEmptyValues)
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(nullptr, event);
    {
        pardalin::detail::OwnedHandle holder(event);
        SetLastError(ERROR_FILE_NOT_FOUND);
    }
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(event, &flags)) << "the held handle was closed";

    SetLastError(ERROR_ACCESS_DENIED);
    {
        pardalin::detail::OwnedHandle none(nullptr);
        pardalin::detail::OwnedHandle invalid(INVALID_HANDLE_VALUE);
        EXPECT_FALSE(none.IsValid());
        EXPECT_FALSE(invalid.IsValid());
    }
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
}
