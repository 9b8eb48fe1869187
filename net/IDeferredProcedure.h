/// \file
/// Deferred procedures: work that any thread queues and one owner thread runs later, in queue order. The
/// dispatcher's thread must pump messages. A queued procedure runs exactly once: in a drain on the
/// dispatcher's thread, or when the dispatcher is destroyed, on the thread that releases it last.
///
/// \code{.cpp}
/// class CRefresh : public IDeferredProcedure { ... void Execute(ULONG_PTR context) override; };
/// IDeferredProcedureDispatcher* dispatcher = CreateVMsgDeferredProcedureDispatcher(); // on the UI thread
/// dispatcher->QueueProcedure(refresh, 42); // from any thread; Execute(42) runs on the UI thread
/// dispatcher->Release();                   // procedures still queued run here
/// \endcode

/// \struct IDeferredProcedure
/// A piece of work queued on an IDeferredProcedureDispatcher and run later on the dispatcher's thread.
///
/// \code{.cpp}
/// struct CRefresh : VUnknown<IDeferredProcedure>
/// {
///     void Execute(ULONG_PTR context) override { Redraw(static_cast<int>(context)); }
/// };
/// \endcode

/// \struct IDeferredProcedureDispatcher
/// A queue of deferred procedures that its owner thread runs in order; made by
/// CreateVMsgDeferredProcedureDispatcher.
///
/// \code{.cpp}
/// IDeferredProcedureDispatcher* dispatcher = CreateVMsgDeferredProcedureDispatcher(); // on the UI thread
/// dispatcher->QueueProcedure(refresh, 42); // from any thread; Execute(42) runs on the UI thread
/// dispatcher->Release();                   // procedures still queued run here
/// \endcode
#pragma once

#include "core/PardalinApi.h"

#include <unknwn.h>

struct IDeferredProcedure : public IUnknown
{
    /// Does the work, on the dispatcher's thread, with the `context` given to QueueProcedure.
    virtual void Execute(ULONG_PTR context) = 0;
};

struct IDeferredProcedureDispatcher : public IUnknown
{
    /// Appends `procedure` to the queue; its Execute(context) runs later on the dispatcher's thread, never
    /// inside this call. Takes a reference on `procedure` until it has run. Any thread.
    virtual void QueueProcedure(IDeferredProcedure* procedure, ULONG_PTR context) = 0;
};

/// A dispatcher whose procedures run on the calling thread, drained from its message loop, with one
/// reference for the caller; null only when memory cannot be had.
PARDALIN_API IDeferredProcedureDispatcher* CreateVMsgDeferredProcedureDispatcher();
