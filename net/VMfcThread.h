// IThread on a framework worker thread.
#pragma once

#include "core/PardalinApi.h"
#include "net/IThread.h"
#include "net/VUnknown.h"

class CWinThread;

// Declared before any use so that the one exported instantiation serves the library and its hosts.
extern template class PARDALIN_API VUnknown<IThread>;

class PARDALIN_API VMfcThread : public VUnknown<IThread>
{
public:
    VMfcThread();
    VMfcThread(const VMfcThread& other);
    VMfcThread& operator=(const VMfcThread& other);

    bool Create(Procedure procedure, void* argument, DWORD creationFlags, unsigned __int64 stackSize,
                SECURITY_ATTRIBUTES* security) override;
    DWORD Suspend() override;
    DWORD Resume() override;
    bool Wait(DWORD milliseconds) override;
    DWORD GetId() override;
    HANDLE GetHandle() override;

    // Does not wait for the thread: the host decides whether to Wait first.
    ~VMfcThread() override;

private:
    static unsigned int __cdecl ThreadFunction(void* self);

    CWinThread* thread;
    Procedure procedure;
    void* argument;
    // Copies share the framework thread object; the last copy to go deletes it.
    volatile LONG* threadOwners;
};
