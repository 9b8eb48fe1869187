// The dispatchers behind CreateVMsgDeferredProcedureDispatcher.
//
// VDeferredProcedureDispatcher keeps the queue: procedures with their contexts, appended under a lock by any
// thread and run oldest first, one at a time, without the lock held. VMsgDeferredProcedureDispatcher adds
// the thread: queuing posts one drain message to a notification window on the dispatcher's thread while no
// drain is on its way, and the drain runs there. Every queued procedure runs exactly once: in a drain, or in
// the destructor on the thread that releases the dispatcher last.
#pragma once

#include "net/IDeferredProcedure.h"
#include "net/ISynchObject.h"
#include "net/VNotificationSink.h"
#include "net/VUnknown.h"
#include "net/detail/CircularList.h"

#include <atomic>

namespace pardalin::detail
{
class VDeferredProcedureDispatcher : public IDeferredProcedureDispatcher
{
public:
    // Construction
    VDeferredProcedureDispatcher();
    VDeferredProcedureDispatcher(const VDeferredProcedureDispatcher&) = delete;
    VDeferredProcedureDispatcher& operator=(const VDeferredProcedureDispatcher&) = delete;
    // Runs what is still queued, on the destroying thread.
    virtual ~VDeferredProcedureDispatcher();

    // Operations
    void QueueProcedure(IDeferredProcedure* procedure, ULONG_PTR context) override;

protected:
    // Runs the queue until it is empty, including entries appended meanwhile; whether it held anything at the
    // start.
    bool RunQueued();

private:
    struct Entry : ListNode
    {
        IDeferredProcedure* procedure;
        ULONG_PTR context;
    };

    ISynchObject* lock;
    CircularList<Entry> queue;
};

class VMsgDeferredProcedureDispatcher : public VUnknown<VDeferredProcedureDispatcher>,
                                        private VNotificationSink
{
public:
    // Construction
    VMsgDeferredProcedureDispatcher();
    // Destroys the window first, so no drain can start while the base runs what is left.
    ~VMsgDeferredProcedureDispatcher() override;

    // Operations
    void QueueProcedure(IDeferredProcedure* procedure, ULONG_PTR context) override;
    using VNotificationSink::Create;

private:
    // The drain message (WM_USER + 1); any other message does nothing.
    LRESULT OnNotify(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::atomic<bool> posted;
};
} // namespace pardalin::detail
