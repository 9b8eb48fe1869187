/// \file
/// Monitor geometry for placing windows: substitutes for the multiple-monitor calls that use the system's
/// own when it has them and otherwise describe one primary monitor of the screen's size, the rectangle of
/// the monitor a window belongs to, and whether any monitor lies left of or above the primary one.
///
/// \code{.cpp}
/// CRect monitor;
/// GetMonitorRect(m_hWnd, monitor);      // the monitor of the window's restored rectangle
/// if (!monitor.PtInRect(savedTopLeft) && !NegativeCoordinatesAreValid())
///     savedTopLeft = monitor.TopLeft(); // a position saved on a monitor that is gone
/// \endcode
///
/// The system's calls are looked up in USER32 once, on the first use of any of the first four functions;
/// they are used only when all four exist and the virtual screen is at least the primary screen. Otherwise
/// the fallbacks serve the rest of the process silently: one monitor, handle 0x42, of the screen's size
/// with the system's work area. The look-up takes no lock; every thread that runs it comes to the same
/// answer.
#pragma once

#include "core/PardalinApi.h"

#include <atltypes.h>

/// The system's GetSystemMetrics. In the fallback the virtual screen is the primary screen at 0, 0, there
/// is one monitor (SM_CMONITORS and SM_SAMEDISPLAYFORMAT give 1), and other indexes go to the system.
PARDALIN_API int xGetSystemMetrics(int index);
/// The system's MonitorFromRect; in the fallback the primary monitor for MONITOR_DEFAULTTOPRIMARY or
/// MONITOR_DEFAULTTONEAREST, or for a rectangle that overlaps the screen, else null.
PARDALIN_API HMONITOR xMonitorFromRect(const RECT* rect, unsigned flags);
/// The system's GetMonitorInfoW; the fallback knows the primary monitor only, needs cbSize of at least
/// sizeof(MONITORINFO) and names the device "DISPLAY" when cbSize holds a MONITORINFOEXW. FALSE, info
/// unchanged, for any other monitor or a smaller cbSize.
PARDALIN_API BOOL xGetMonitorInfo(HMONITOR monitor, MONITORINFO* info);
/// The full rectangle (not the work area) of the monitor nearest the window's restored rectangle, in
/// screen coordinates; the primary screen's rectangle when the monitor cannot be described.
PARDALIN_API void GetMonitorRect(HWND window, CRect& rect);
/// Whether a monitor has a negative left or top edge, so that a window position with negative coordinates
/// can be on screen; false when the monitors cannot be enumerated.
PARDALIN_API bool NegativeCoordinatesAreValid();
