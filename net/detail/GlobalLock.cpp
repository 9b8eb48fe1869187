#include "net/detail/GlobalLock.h"

#include "net/detail/VCriticalSection.h"

namespace
{
ISynchObject* g_globalLock = nullptr;

struct GlobalLockLifetime
{
    GlobalLockLifetime() { g_globalLock = new VCriticalSection; }
    ~GlobalLockLifetime()
    {
        ISynchObject* lock = g_globalLock;
        g_globalLock = nullptr;
        lock->Release();
    }
} g_globalLockLifetime;
} // namespace

ISynchObject* pardalin::detail::GlobalLock()
{
    return g_globalLock;
}
