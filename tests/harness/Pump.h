// Waiting on the calling thread's messages: the tests of objects that work through posted messages (sockets,
// notification windows, dispatchers) run their thread's loop until what they wait for has happened.
#pragma once

#include <windows.h>

#include <functional>

namespace testpump
{
// Dispatches this thread's messages until done() holds; false when ten seconds (a hang) come first. Only a
// message makes it look at done() again.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    MSG msg;
    while (!done())
    {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    return true;
}

// Dispatches this thread's messages until `handle` is signalled; false when ten seconds come first.
inline bool PumpUntilSignalled(HANDLE handle, DWORD timeoutMs = 10000)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    MSG msg;
    for (;;)
    {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return ::WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        const DWORD wait =
            ::MsgWaitForMultipleObjects(1, &handle, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0)
            return true;
    }
}
} // namespace testpump
