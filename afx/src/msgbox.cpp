// The framework's message boxes.
#include "afxwin.h"
#include "afximpl.h"

namespace
{
// The icon of a box whose type names none: exclamation for MB_OK and MB_OKCANCEL, question for MB_YESNO and
// MB_YESNOCANCEL. Retry and abort boxes are rare enough that their callers choose the icon.
UINT WithDefaultIcon(UINT nType)
{
    if ((nType & MB_ICONMASK) != 0)
    {
        return nType;
    }
    switch (nType & MB_TYPEMASK)
    {
    case MB_OK:
    case MB_OKCANCEL:
        return nType | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return nType | MB_ICONQUESTION;
    default:
        return nType;
    }
}

// Shows the box as a modal dialog of the application: owned by what a dialog without a parent would be
// owned by (the main window's last active pop-up) or, without a main window, by the active window's
// top-level window, which stays disabled while the box is up.
int ShowAppMessageBox(LPCTSTR lpszCaption, LPCTSTR lpszPrompt, UINT nType)
{
    HWND hWndTop = nullptr;
    HWND hOwner = CWnd::GetSafeOwner_(nullptr, &hWndTop);
    if (hOwner == nullptr)
    {
        hOwner = CWnd::GetSafeOwner_(::GetActiveWindow(), &hWndTop);
    }
    int nResult = ::MessageBoxW(hOwner, lpszPrompt, lpszCaption, WithDefaultIcon(nType));
    if (nResult == 0)
    {
        TRACE(L"AfxMessageBox: the box could not be shown (error %lu).\n", ::GetLastError());
    }
    if (hWndTop != nullptr)
    {
        ::EnableWindow(hWndTop, TRUE);
    }
    return nResult;
}
} // namespace

CString afximpl::AppCaption()
{
    LPCTSTR lpszAppName = AfxGetAppName();
    return lpszAppName != nullptr ? CString(lpszAppName) : afximpl::ModuleBaseName(nullptr);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    CString strCaption = m_pszAppName != nullptr ? CString(m_pszAppName) : afximpl::ModuleBaseName(nullptr);
    return ShowAppMessageBox(strCaption, lpszPrompt, nType);
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
    {
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    }
    return ShowAppMessageBox(afximpl::AppCaption(), lpszText, nType);
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
