#include "net/detail/DeferredProcedureDispatcher.h"

#include "net/detail/VCriticalSection.h"
#include "net/detail/VSynchLock.h"

#include <new>

namespace pardalin::detail
{
namespace
{
constexpr UINT kDrainMessage = WM_USER + 1;
} // namespace

VDeferredProcedureDispatcher::VDeferredProcedureDispatcher() : lock(new VCriticalSection) {}

VDeferredProcedureDispatcher::~VDeferredProcedureDispatcher()
{
    RunQueued();
    lock->Release();
}

void VDeferredProcedureDispatcher::QueueProcedure(IDeferredProcedure* procedure, ULONG_PTR context)
{
    auto* const entry = new Entry;
    entry->procedure = procedure;
    entry->context = context;
    if (procedure)
        procedure->AddRef();
    VSynchLock hold(lock);
    queue.PushBack(entry);
}

bool VDeferredProcedureDispatcher::RunQueued()
{
    VSynchLock hold(lock);
    const bool hadEntries = !queue.IsEmpty();
    while (Entry* const entry = queue.PopFront())
    {
        hold.Unlock();
        if (entry->procedure)
        {
            entry->procedure->Execute(entry->context);
            entry->procedure->Release();
        }
        delete entry;
        hold.Relock();
    }
    return hadEntries;
}

VMsgDeferredProcedureDispatcher::VMsgDeferredProcedureDispatcher() : posted(false) {}

VMsgDeferredProcedureDispatcher::~VMsgDeferredProcedureDispatcher()
{
    Destroy();
}

void VMsgDeferredProcedureDispatcher::QueueProcedure(IDeferredProcedure* procedure, ULONG_PTR context)
{
    VDeferredProcedureDispatcher::QueueProcedure(procedure, context);
    // One drain message at a time: a failed post leaves the flag set, as a lost message cannot be told
    // from one still on its way.
    if (!posted.exchange(true))
        PostNotification(kDrainMessage);
}

LRESULT VMsgDeferredProcedureDispatcher::OnNotify(UINT message, WPARAM, LPARAM)
{
    if (message != kDrainMessage)
        return 0;
    // Cleared before the queue is looked at: an entry appended from here on either runs in this drain or
    // posts a new message.
    posted = false;
    // A procedure may release the last reference held outside.
    AddRef();
    const bool hadEntries = RunQueued();
    Release();
    return hadEntries;
}
} // namespace pardalin::detail

IDeferredProcedureDispatcher* CreateVMsgDeferredProcedureDispatcher()
{
    pardalin::detail::VMsgDeferredProcedureDispatcher* dispatcher = nullptr;
    try
    {
        dispatcher = new pardalin::detail::VMsgDeferredProcedureDispatcher;
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
    dispatcher->Create();
    return dispatcher;
}
