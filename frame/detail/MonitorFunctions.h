// The multiple-monitor calls the monitor functions use, looked up in USER32 on first use. The table is
// reachable so that the internal tests can empty it and reach the fallbacks on a system that has the calls.
//
//     MonitorFunctions& functions = LoadedMonitorFunctions();
//     functions = MonitorFunctions{};   // not looked up yet: the next use looks again
//     functions.initialized = true;     // looked up and found wanting: the fallbacks from here on
#pragma once

#include "core/PardalinApi.h"

namespace pardalin::detail
{
struct MonitorFunctions
{
    bool initialized = false;
    int(WINAPI* getSystemMetrics)(int) = nullptr;
    // Looked up with the others; nothing calls it.
    HMONITOR(WINAPI* monitorFromWindow)(HWND, DWORD) = nullptr;
    HMONITOR(WINAPI* monitorFromRect)(LPCRECT, DWORD) = nullptr;
    BOOL(WINAPI* getMonitorInfo)(HMONITOR, LPMONITORINFO) = nullptr;
};

// The process's table.
MonitorFunctions& LoadedMonitorFunctions();

// Fills the table once (later calls change nothing); whether the system's calls are used.
bool InitializeMonitorFunctions();

// The handle the fallbacks give the one monitor they know.
inline HMONITOR PrimaryMonitorFallback()
{
    return reinterpret_cast<HMONITOR>(static_cast<UINT_PTR>(0x42));
}
} // namespace pardalin::detail
