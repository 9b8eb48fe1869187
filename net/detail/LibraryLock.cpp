#include "net/detail/LibraryLock.h"

#include "net/detail/VCriticalSection.h"

namespace pardalin::detail
{
namespace
{
ISynchObject* g_libraryLock = nullptr;

struct LibraryLockLifetime
{
    LibraryLockLifetime() { g_libraryLock = new VCriticalSection; }
    ~LibraryLockLifetime()
    {
        ISynchObject* lock = g_libraryLock;
        g_libraryLock = nullptr;
        lock->Release();
    }
} g_libraryLockLifetime;
} // namespace

ISynchObject* LibraryLock()
{
    return g_libraryLock;
}
} // namespace pardalin::detail
