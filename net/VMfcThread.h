/// \class VMfcThread
/// IThread on a framework worker thread.
///
/// \code{.cpp}
/// auto* thread = new VMfcThread;
/// if (thread->Create(&Work, context, 0, 0, nullptr))
///     thread->Wait(INFINITE); // GetExitCodeThread(thread->GetHandle(), ...) gives Work's result
/// thread->Release();
/// \endcode
///
/// Copies refer to the same thread. The framework's thread object lives while a copy holds it or the thread
/// still runs its procedure, whichever is longer, and is deleted once, by whichever of them goes last. A
/// thread left suspended when the last copy goes stays suspended, and keeps its thread object.
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
    // Construction
    /// No thread yet; one reference.
    VMfcThread();
    /// A new object, with its own first reference, that refers to the same thread as `other`.
    VMfcThread(const VMfcThread& other);
    /// Refers to `other`'s thread instead of its own, giving up its own as the destructor does; the
    /// reference count is kept.
    VMfcThread& operator=(const VMfcThread& other);
    /// Does not wait for the thread: the host decides whether to Wait first.
    ~VMfcThread() override;

    // Attributes
    DWORD GetId() override;
    HANDLE GetHandle() override;

    // Operations
    /// Starts procedure(argument) on a framework worker thread; `creationFlags` as CreateThread takes them
    /// (CREATE_SUSPENDED: the thread waits for Resume), `stackSize` in bytes (0: the default), `security`
    /// may be null. False, with the object as it was, when no thread could be made. A thread the object
    /// already had is given up as the destructor gives it up.
    bool Create(Procedure procedure, void* argument, DWORD creationFlags, unsigned __int64 stackSize,
                SECURITY_ATTRIBUTES* security) override;
    DWORD Suspend() override;
    DWORD Resume() override;
    bool Wait(DWORD milliseconds) override;

private:
    static unsigned int __cdecl ThreadFunction(void* start);

    CWinThread* thread;
    Procedure procedure;
    void* argument;
};
