// IThread: a thread started on the host's request; the library starts none of its own. VMfcThread is the
// implementation.
//
//     IThread* thread = new VMfcThread;
//     thread->Create(&Work, context, CREATE_SUSPENDED, 0, nullptr);
//     thread->Resume();
//     thread->Wait(INFINITE);
//     thread->Release();
#pragma once

#include "core/PardalinApi.h"
#include <unknwn.h>

struct IThread : public IUnknown
{
    // The thread's procedure; its result becomes the thread's exit code.
    typedef unsigned int (*Procedure)(void* argument);

    virtual bool Create(Procedure procedure, void* argument, DWORD creationFlags, unsigned __int64 stackSize,
                        SECURITY_ATTRIBUTES* security) = 0;
    virtual DWORD Suspend() = 0;
    virtual DWORD Resume() = 0;
    virtual bool Wait(DWORD milliseconds) = 0;
    virtual DWORD GetId() = 0;
    virtual HANDLE GetHandle() = 0;
};
