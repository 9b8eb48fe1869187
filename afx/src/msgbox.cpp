// The framework's message boxes.
#include "afxwin.h"
#include "afximpl.h"

namespace
{
// The window that owns the framework's boxes: the main window when the application has one, else the
// thread's active window.
HWND PreferredOwner()
{
    HWND hMainWnd = afximpl::MainWindowHandle();
    return hMainWnd != nullptr ? hMainWnd : GetActiveWindow();
}

// Shows the box as a modal dialog of the owner's application: a child window cannot own a pop-up, so the
// owner is its top-level window, or rather that window's last active pop-up; when that is another window
// the top-level one is disabled as well for as long as the box is up.
int ShowAppMessageBox(LPCTSTR lpszCaption, LPCTSTR lpszPrompt, UINT nType, HWND hOwner)
{
    while (hOwner != nullptr && (GetWindowLongW(hOwner, GWL_STYLE) & WS_CHILD) != 0)
    {
        hOwner = GetParent(hOwner);
    }
    HWND hTop = hOwner;
    for (HWND hParent = hTop != nullptr ? GetParent(hTop) : nullptr; hParent != nullptr;
         hParent = GetParent(hParent))
    {
        hTop = hParent;
    }
    if (hOwner != nullptr)
    {
        hOwner = GetLastActivePopup(hOwner);
    }
    HWND hDisabled = nullptr;
    if (hTop != nullptr && hTop != hOwner && IsWindowEnabled(hTop))
    {
        EnableWindow(hTop, FALSE);
        hDisabled = hTop;
    }

    if ((nType & MB_ICONMASK) == 0)
    {
        switch (nType & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            // Retry and abort boxes are rare enough that their callers choose the icon.
            break;
        }
    }

    int nResult = MessageBoxW(hOwner, lpszPrompt, lpszCaption, nType);
    if (nResult == 0)
    {
        TRACE(L"AfxMessageBox: the box could not be shown (error %lu).\n", GetLastError());
    }
    if (hDisabled != nullptr)
    {
        EnableWindow(hDisabled, TRUE);
    }
    return nResult;
}
} // namespace

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    CString strCaption = m_pszAppName != nullptr ? CString(m_pszAppName) : afximpl::ModuleBaseName(nullptr);
    return ShowAppMessageBox(strCaption, lpszPrompt, nType, PreferredOwner());
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
    {
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    }
    LPCTSTR lpszAppName = AfxGetAppName();
    CString strCaption = lpszAppName != nullptr ? CString(lpszAppName) : afximpl::ModuleBaseName(nullptr);
    return ShowAppMessageBox(strCaption, lpszText, nType, GetActiveWindow());
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    if (!strPrompt.LoadString(nIDPrompt))
    {
        TRACE(L"AfxMessageBox: there is no prompt string %u.\n", nIDPrompt);
    }
    if (nIDHelp == static_cast<UINT>(-1))
    {
        nIDHelp = nIDPrompt;
    }
    return AfxMessageBox(strPrompt, nType, nIDHelp);
}
