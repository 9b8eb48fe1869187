// The part of DialogHostDriver that runs inside DialogHost.exe. Icon and menu handles mean nothing outside
// their process (under Wine, WM_GETICON and WM_QUERYDRAGICON from another process even go unanswered), so
// the driver installs ProbeHook on the dialogs' thread, which loads this DLL into the application. The driver
// posts the registered message "DialogHostProbe" with a probe number to a dialog; the hook answers in that
// dialog's window property "DialogHostProbe<number>": the bits of the checks that held, with kProbeDone set.
#include <windows.h>

#include "DialogHostProbe.h"
#include "Resource.h"

#include <string>

namespace
{
// The application's icon as the resource loader shares it: the same handle for every load in the process.
HICON ApplicationIcon()
{
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

UINT_PTR ProbeMainDialog(HWND hDlg)
{
    const HICON hIcon = ApplicationIcon();
    UINT_PTR bits = 0;
    if (hIcon != nullptr && reinterpret_cast<HICON>(SendMessageW(hDlg, WM_GETICON, ICON_BIG, 0)) == hIcon)
    {
        bits |= kProbeBigIcon;
    }
    if (hIcon != nullptr && reinterpret_cast<HICON>(SendMessageW(hDlg, WM_GETICON, ICON_SMALL, 0)) == hIcon)
    {
        bits |= kProbeSmallIcon;
    }
    // The About item comes last, after a separator.
    HMENU hSysMenu = GetSystemMenu(hDlg, FALSE);
    const int nCount = GetMenuItemCount(hSysMenu);
    wchar_t szText[64] = {};
    if (nCount >= 2 && GetMenuItemID(hSysMenu, nCount - 1) == IDM_ABOUTBOX &&
        GetMenuStringW(hSysMenu, IDM_ABOUTBOX, szText, 64, MF_BYCOMMAND) > 0 &&
        std::wstring(szText) == L"&About DialogHost..." &&
        (GetMenuState(hSysMenu, static_cast<UINT>(nCount - 2), MF_BYPOSITION) & MF_SEPARATOR) != 0)
    {
        bits |= kProbeAboutItem;
    }
    return bits;
}

UINT_PTR ProbeDragIcon(HWND hDlg)
{
    const HICON hIcon = ApplicationIcon();
    return IsIconic(hDlg) && hIcon != nullptr &&
                   reinterpret_cast<HICON>(SendMessageW(hDlg, WM_QUERYDRAGICON, 0, 0)) == hIcon
               ? kProbeDragIcon
               : 0;
}

UINT_PTR ProbeAboutBox(HWND hAbout)
{
    const HICON hInformation = LoadIconW(nullptr, IDI_INFORMATION);
    return reinterpret_cast<HICON>(SendDlgItemMessageW(hAbout, IDC_ABOUT_INFO, STM_GETICON, 0, 0)) ==
                   hInformation
               ? kProbeInformationIcon
               : 0;
}
} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    static const UINT nProbeMessage = RegisterWindowMessageW(kProbeMessage);
    const auto* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message == nProbeMessage)
    {
        UINT_PTR bits = kProbeDone;
        switch (pMsg->wParam)
        {
        case kProbeMainDialog:
            bits |= ProbeMainDialog(pMsg->hwnd);
            break;
        case kProbeMinimised:
            bits |= ProbeDragIcon(pMsg->hwnd);
            break;
        case kProbeAbout:
            bits |= ProbeAboutBox(pMsg->hwnd);
            break;
        default:
            break;
        }
        SetPropW(pMsg->hwnd, ProbeProperty(pMsg->wParam).c_str(), reinterpret_cast<HANDLE>(bits));
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}
