#include "net/VMfcThread.h"

#include "net/detail/ThreadGuard.h"

#include <afxwin.h>

#include <utility>

template class VUnknown<IThread>;

VMfcThread::VMfcThread() : thread(nullptr), procedure(nullptr), argument(nullptr), threadOwners(nullptr) {}

VMfcThread::VMfcThread(const VMfcThread& other)
    : VUnknown<IThread>(other), thread(other.thread), procedure(other.procedure), argument(other.argument),
      threadOwners(other.threadOwners)
{
    if (threadOwners)
        InterlockedIncrement(threadOwners);
}

VMfcThread& VMfcThread::operator=(const VMfcThread& other)
{
    // The temporary takes our old share of the thread object with it.
    VMfcThread copy(other);
    std::swap(thread, copy.thread);
    std::swap(procedure, copy.procedure);
    std::swap(argument, copy.argument);
    std::swap(threadOwners, copy.threadOwners);
    return *this;
}

VMfcThread::~VMfcThread()
{
    if (threadOwners && InterlockedDecrement(threadOwners) == 0)
    {
        delete thread;
        delete threadOwners;
    }
}

bool VMfcThread::Create(Procedure threadProcedure, void* threadArgument, DWORD creationFlags,
                        unsigned __int64 stackSize, SECURITY_ATTRIBUTES* security)
{
    procedure = threadProcedure;
    argument = threadArgument;
    // Always start suspended, so that the thread object is ours before the thread can run to its end.
    CWinThread* started =
        AfxBeginThread(&VMfcThread::ThreadFunction, this, THREAD_PRIORITY_NORMAL,
                       static_cast<UINT>(stackSize), creationFlags | CREATE_SUSPENDED, security);
    if (!started)
        return false;
    started->m_bAutoDelete = FALSE;
    thread = started;
    threadOwners = new LONG(1);
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

DWORD VMfcThread::GetId()
{
    return thread ? thread->m_nThreadID : 0;
}

HANDLE VMfcThread::GetHandle()
{
    return thread ? thread->m_hThread : nullptr;
}

unsigned int __cdecl VMfcThread::ThreadFunction(void* self)
{
    auto* owner = static_cast<VMfcThread*>(self);
    return pardalin::detail::RunGuarded(owner->procedure, owner->argument);
}
