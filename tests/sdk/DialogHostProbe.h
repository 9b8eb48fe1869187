// What DialogHostDriver and the probe it loads into DialogHost.exe (DialogHostProbe.cpp) agree on: the
// message that asks for a probe, the probes, and the bits of their answers.
#pragma once

#include <windows.h>

#include <string>

// Posted to a dialog of the application with the probe in wParam.
inline constexpr wchar_t kProbeMessage[] = L"DialogHostProbe";

// The probes, and the window property each answers in.
inline constexpr WPARAM kProbeMainDialog = 1; // the main dialog: its icons and its system menu
inline constexpr WPARAM kProbeMinimised = 2;  // the main dialog, minimised: its drag icon
inline constexpr WPARAM kProbeAbout = 3;      // the About box: its information icon
inline std::wstring ProbeProperty(WPARAM nProbe)
{
    return L"DialogHostProbe" + std::to_wstring(nProbe);
}

// The answer's bits: kProbeDone, and one for each check that held.
inline constexpr UINT_PTR kProbeDone = 0x01;
inline constexpr UINT_PTR kProbeBigIcon = 0x02;   // WM_GETICON ICON_BIG gives the application's IDR_MAINFRAME
inline constexpr UINT_PTR kProbeSmallIcon = 0x04; // so does ICON_SMALL
// The system menu ends with a separator and "&About DialogHost..." (IDM_ABOUTBOX).
inline constexpr UINT_PTR kProbeAboutItem = 0x08;
// The dialog is minimised and WM_QUERYDRAGICON gives the application's icon.
inline constexpr UINT_PTR kProbeDragIcon = 0x10;
// The About box's IDC_ABOUT_INFO shows the system's information icon.
inline constexpr UINT_PTR kProbeInformationIcon = 0x20;
