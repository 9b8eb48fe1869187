// Monitor geometry for placing windows: substitutes for the multiple-monitor calls that use the system's own
// when it has them and otherwise describe one primary monitor of the screen's size, the rectangle of the
// monitor a window belongs to, and whether any monitor lies left of or above the primary one.
//
//     CRect monitor;
//     GetMonitorRect(m_hWnd, monitor);      // the monitor of the window's restored rectangle
//     if (!monitor.PtInRect(savedTopLeft) && !NegativeCoordinatesAreValid())
//         savedTopLeft = monitor.TopLeft(); // a position saved on a monitor that is gone
//
// The system's calls are looked up in USER32 once, on the first use of any of the first four functions;
// they are used only when all four exist and the virtual screen is at least the primary screen. Otherwise
// the fallbacks serve the rest of the process silently: one monitor, handle 0x42, of the screen's size with
// the system's work area.
#pragma once

#include "core/PardalinApi.h"

#include <atltypes.h>

// GetSystemMetrics; in the fallback the virtual screen is the primary screen and there is one monitor.
PARDALIN_API int xGetSystemMetrics(int index);
// MonitorFromRect; in the fallback the primary monitor for MONITOR_DEFAULTTOPRIMARY or
// MONITOR_DEFAULTTONEAREST, or for a rectangle that overlaps the screen, else null.
PARDALIN_API HMONITOR xMonitorFromRect(const RECT* rect, unsigned flags);
// GetMonitorInfoW; the fallback knows the primary monitor only, needs cbSize of at least
// sizeof(MONITORINFO) and names the device "DISPLAY" when cbSize holds a MONITORINFOEXW.
PARDALIN_API BOOL xGetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
// The full rectangle (not the work area) of the monitor nearest the window's restored rectangle; the screen's
// rectangle when the monitor cannot be described.
PARDALIN_API void GetMonitorRect(HWND window, CRect& rect);
// Whether a monitor has a negative left or top edge; false when the monitors cannot be enumerated.
PARDALIN_API bool NegativeCoordinatesAreValid();
