/// \struct IThread
/// A thread started on the host's request; the library starts none of its own. VMfcThread is the
/// implementation.
///
/// \code{.cpp}
/// IThread* thread = new VMfcThread;
/// thread->Create(&Work, context, CREATE_SUSPENDED, 0, nullptr);
/// thread->Resume();
/// thread->Wait(INFINITE);
/// thread->Release();
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include <unknwn.h>

struct IThread : public IUnknown
{
    /// The thread's procedure; its result becomes the thread's exit code.
    typedef unsigned int (*Procedure)(void* argument);

    /// Starts a thread that runs procedure(argument). `creationFlags` as CreateThread takes them
    /// (CREATE_SUSPENDED: the thread waits for Resume); `stackSize` in bytes, 0 for the default; `security`
    /// may be null. False when no thread could be made.
    virtual bool Create(Procedure procedure, void* argument, DWORD creationFlags, unsigned __int64 stackSize,
                        SECURITY_ATTRIBUTES* security) = 0;
    /// Suspends the thread: its previous suspend count, or (DWORD)-1 on failure or without a thread.
    virtual DWORD Suspend() = 0;
    /// Resumes the thread: its previous suspend count, or (DWORD)-1 on failure or without a thread.
    virtual DWORD Resume() = 0;
    /// Waits up to `milliseconds` (INFINITE allowed) for the thread to end; true when it has ended.
    virtual bool Wait(DWORD milliseconds) = 0;
    /// The thread's identifier; 0 before Create.
    virtual DWORD GetId() = 0;
    /// The thread's handle, owned by the object (not to be closed); null before Create.
    virtual HANDLE GetHandle() = 0;
};
