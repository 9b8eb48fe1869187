// Deferred procedures: work that any thread queues and one owner thread runs later, in queue order.
//
//     class CRefresh : public IDeferredProcedure { ... void Execute(ULONG_PTR context) override; };
//     IDeferredProcedureDispatcher* dispatcher = CreateVMsgDeferredProcedureDispatcher(); // on the UI thread
//     dispatcher->QueueProcedure(refresh, 42); // from any thread; Execute(42) runs on the UI thread
//     dispatcher->Release();                   // procedures still queued run here
//
// The dispatcher's thread must pump messages. A queued procedure runs exactly once: in a drain on the
// dispatcher's thread, or when the dispatcher is destroyed, on the thread that releases it last.
#pragma once

#include "core/PardalinApi.h"

#include <unknwn.h>

struct IDeferredProcedure : public IUnknown
{
    virtual void Execute(ULONG_PTR context) = 0;
};

struct IDeferredProcedureDispatcher : public IUnknown
{
    // Takes a reference on `procedure` until it has run. Any thread.
    virtual void QueueProcedure(IDeferredProcedure* procedure, ULONG_PTR context) = 0;
};

// A dispatcher whose procedures run on the calling thread, with one reference for the caller; null only when
// memory cannot be had.
PARDALIN_API IDeferredProcedureDispatcher* CreateVMsgDeferredProcedureDispatcher();
