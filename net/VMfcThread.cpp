#include "net/VMfcThread.h"

#include "net/detail/ThreadGuard.h"

#include <afxwin.h>

#include <atomic>
#include <memory>

template class VUnknown<IThread>;

namespace
{
// Carried by the framework's thread object as its thread parameter. The thread reads its procedure and
// argument here, never from the VMfcThread that started it, which may be gone by then. The shares are one
// per VMfcThread holding the thread object and one for the thread until its procedure has returned; the
// last to give up its share deletes the thread object and this block.
struct ThreadStart
{
    IThread::Procedure procedure;
    void* argument;
    std::atomic<long> shares;
};

ThreadStart& StartOf(CWinThread* thread)
{
    return *static_cast<ThreadStart*>(thread->m_pThreadParams);
}

void TakeShare(CWinThread* thread)
{
    if (thread)
        ++StartOf(thread).shares;
}

void DropShare(CWinThread* thread)
{
    if (!thread || --StartOf(thread).shares > 0)
        return;
    delete &StartOf(thread);
    delete thread;
}
} // namespace

VMfcThread::VMfcThread() : thread(nullptr), procedure(nullptr), argument(nullptr) {}

VMfcThread::VMfcThread(const VMfcThread& other)
    : VUnknown<IThread>(other), thread(other.thread), procedure(other.procedure), argument(other.argument)
{
    TakeShare(thread);
}

VMfcThread& VMfcThread::operator=(const VMfcThread& other)
{
    // Taken before ours is given up, so that assigning an object to itself keeps the thread object.
    TakeShare(other.thread);
    DropShare(thread);
    thread = other.thread;
    procedure = other.procedure;
    argument = other.argument;
    return *this;
}

VMfcThread::~VMfcThread()
{
    DropShare(thread);
}

DWORD VMfcThread::GetId()
{
    return thread ? thread->m_nThreadID : 0;
}

HANDLE VMfcThread::GetHandle()
{
    return thread ? thread->m_hThread : nullptr;
}

bool VMfcThread::Create(Procedure threadProcedure, void* threadArgument, DWORD creationFlags,
                        unsigned __int64 stackSize, SECURITY_ATTRIBUTES* security)
{
    // The thread is handed its own start block rather than this object (see ThreadStart), with a share for
    // this object and one for itself.
    auto start = std::make_unique<ThreadStart>();
    start->procedure = threadProcedure;
    start->argument = threadArgument;
    start->shares = 2;
    // Always start suspended, so that the thread object is set up before the thread can run to its end.
    CWinThread* started =
        AfxBeginThread(&VMfcThread::ThreadFunction, start.get(), THREAD_PRIORITY_NORMAL,
                       static_cast<UINT>(stackSize), creationFlags | CREATE_SUSPENDED, security);
    if (!started)
        return false;
    start.release();
    started->m_bAutoDelete = FALSE;
    DropShare(thread);
    thread = started;
    procedure = threadProcedure;
    argument = threadArgument;
    if (!(creationFlags & CREATE_SUSPENDED))
        ::ResumeThread(thread->m_hThread);
    return true;
}

DWORD VMfcThread::Suspend()
{
    return thread ? ::SuspendThread(thread->m_hThread) : static_cast<DWORD>(-1);
}

DWORD VMfcThread::Resume()
{
    return thread ? ::ResumeThread(thread->m_hThread) : static_cast<DWORD>(-1);
}

bool VMfcThread::Wait(DWORD milliseconds)
{
    return thread && ::WaitForSingleObject(thread->m_hThread, milliseconds) == WAIT_OBJECT_0;
}

unsigned int __cdecl VMfcThread::ThreadFunction(void* start)
{
    const ThreadStart& run = *static_cast<ThreadStart*>(start);
    const unsigned int result = pardalin::detail::RunGuarded(run.procedure, run.argument);
    // Once this thread's share is given up, the thread object may be deleted at any moment (here or by the
    // last VMfcThread), so the thread ends at once instead of returning into the framework, which would
    // use the object on its way out.
    DropShare(AfxGetThread());
    AfxEndThread(result, FALSE);
}
