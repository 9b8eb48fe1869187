#include "frame/Monitors.h"

#include "frame/detail/MonitorFunctions.h"

namespace pardalin::detail
{
MonitorFunctions& LoadedMonitorFunctions()
{
    static MonitorFunctions functions;
    return functions;
}

bool InitializeMonitorFunctions()
{
    MonitorFunctions& functions = LoadedMonitorFunctions();
    if (functions.initialized)
        return functions.getMonitorInfo != nullptr;
    functions = MonitorFunctions{};
    // Only a USER32 that is loaded already; the library links it, so it is.
    if (const HMODULE user32 = ::GetModuleHandleW(L"USER32"))
    {
        const auto find = [user32](const char* name)
        { return reinterpret_cast<void*>(::GetProcAddress(user32, name)); };
        if ((functions.getSystemMetrics =
                 reinterpret_cast<decltype(functions.getSystemMetrics)>(find("GetSystemMetrics"))) &&
            (functions.monitorFromWindow =
                 reinterpret_cast<decltype(functions.monitorFromWindow)>(find("MonitorFromWindow"))) &&
            (functions.monitorFromRect =
                 reinterpret_cast<decltype(functions.monitorFromRect)>(find("MonitorFromRect"))))
            functions.getMonitorInfo =
                reinterpret_cast<decltype(functions.getMonitorInfo)>(find("GetMonitorInfoW"));
    }
    const bool usable =
        functions.getMonitorInfo &&
        functions.getSystemMetrics(SM_CXVIRTUALSCREEN) >= functions.getSystemMetrics(SM_CXSCREEN) &&
        functions.getSystemMetrics(SM_CYVIRTUALSCREEN) >= functions.getSystemMetrics(SM_CYSCREEN);
    if (!usable)
        functions = MonitorFunctions{};
    functions.initialized = true;
    return usable;
}
} // namespace pardalin::detail

using pardalin::detail::InitializeMonitorFunctions;
using pardalin::detail::LoadedMonitorFunctions;
using pardalin::detail::PrimaryMonitorFallback;

int xGetSystemMetrics(int index)
{
    if (InitializeMonitorFunctions())
        return LoadedMonitorFunctions().getSystemMetrics(index);
    switch (index)
    {
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
        return 0;
    case SM_CXVIRTUALSCREEN:
        return ::GetSystemMetrics(SM_CXSCREEN);
    case SM_CYVIRTUALSCREEN:
        return ::GetSystemMetrics(SM_CYSCREEN);
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT:
        return 1;
    default:
        return ::GetSystemMetrics(index);
    }
}

HMONITOR xMonitorFromRect(const RECT* rect, unsigned flags)
{
    if (InitializeMonitorFunctions())
        return LoadedMonitorFunctions().monitorFromRect(rect, flags);
    if (flags & (MONITOR_DEFAULTTOPRIMARY | MONITOR_DEFAULTTONEAREST))
        return PrimaryMonitorFallback();
    const bool overlaps = rect && rect->right > 0 && rect->bottom > 0 &&
                          rect->left < ::GetSystemMetrics(SM_CXSCREEN) &&
                          rect->top < ::GetSystemMetrics(SM_CYSCREEN);
    return overlaps ? PrimaryMonitorFallback() : nullptr;
}

BOOL xGetMonitorInfo(HMONITOR monitor, MONITORINFO* info)
{
    if (InitializeMonitorFunctions())
        return LoadedMonitorFunctions().getMonitorInfo(monitor, info);
    RECT workArea;
    if (monitor != PrimaryMonitorFallback() || !info || info->cbSize < sizeof(MONITORINFO) ||
        !::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0))
        return FALSE;
    info->rcMonitor = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    info->rcWork = workArea;
    info->dwFlags = MONITORINFOF_PRIMARY;
    if (info->cbSize >= sizeof(MONITORINFOEXW))
        lstrcpynW(reinterpret_cast<MONITORINFOEXW*>(info)->szDevice, L"DISPLAY", CCHDEVICENAME);
    return TRUE;
}

void GetMonitorRect(HWND window, CRect& rect)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(window, &placement);
    const HMONITOR monitor =
        InitializeMonitorFunctions()
            ? LoadedMonitorFunctions().monitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTONEAREST)
            : PrimaryMonitorFallback();
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (xGetMonitorInfo(monitor, &info))
    {
        rect = info.rcMonitor;
        return;
    }
    const auto metrics = LoadedMonitorFunctions().getSystemMetrics ? LoadedMonitorFunctions().getSystemMetrics
                                                                   : &::GetSystemMetrics;
    rect.SetRect(0, 0, metrics(SM_CXSCREEN), metrics(SM_CYSCREEN));
}

namespace
{
BOOL CALLBACK NoteNegativeEdge(HMONITOR, HDC, LPRECT rect, LPARAM found)
{
    if (rect->left < 0 || rect->top < 0)
        *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}
} // namespace

bool NegativeCoordinatesAreValid()
{
    bool found = false;
    if (!::EnumDisplayMonitors(nullptr, nullptr, &NoteNegativeEdge, reinterpret_cast<LPARAM>(&found)))
        return false;
    return found;
}
