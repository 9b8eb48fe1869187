// The print dialog, the application's printer and the wait cursor.
#include "afximpl.h"

#include <afxdlgs.h>

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

namespace
{
// A field of a DEVNAMES block: the offsets count characters from the block's start.
CString DevNamesField(HGLOBAL hDevNames, WORD DEVNAMES::*offset)
{
    CString text;
    if (hDevNames == nullptr)
    {
        return text;
    }
    if (const auto* pNames = static_cast<const DEVNAMES*>(::GlobalLock(hDevNames)))
    {
        text = reinterpret_cast<LPCTSTR>(pNames) + pNames->*offset;
        ::GlobalUnlock(hDevNames);
    }
    return text;
}
} // namespace

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_pd(m_pdActual), m_pdActual()
{
    m_pd.lStructSize = sizeof(m_pdActual);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : 0);
    m_pd.nCopies = 1;
}

CString CPrintDialog::GetDeviceName() const
{
    return DevNamesField(m_pd.hDevNames, &DEVNAMES::wDeviceOffset);
}

CString CPrintDialog::GetDriverName() const
{
    return DevNamesField(m_pd.hDevNames, &DEVNAMES::wDriverOffset);
}

CString CPrintDialog::GetPortName() const
{
    return DevNamesField(m_pd.hDevNames, &DEVNAMES::wOutputOffset);
}

LPDEVMODEW CPrintDialog::GetDevMode() const
{
    return m_pd.hDevMode != nullptr ? static_cast<LPDEVMODEW>(::GlobalLock(m_pd.hDevMode)) : nullptr;
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner =
        CWnd::GetSafeOwner_(m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr, nullptr);
    return ::PrintDlgW(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    const DWORD dwFlags = m_pd.Flags;
    m_pd.Flags |= PD_RETURNDEFAULT;
    m_pd.hwndOwner = nullptr;
    const BOOL bFound = ::PrintDlgW(&m_pd);
    m_pd.Flags = dwFlags;
    return bFound;
}

HDC CPrintDialog::CreatePrinterDC()
{
    m_pd.hDC = nullptr;
    const CString device = GetDeviceName();
    if (device.IsEmpty())
    {
        return nullptr;
    }
    const CString driver = GetDriverName();
    const CString port = GetPortName();
    const LPDEVMODEW pMode = GetDevMode();
    m_pd.hDC = ::CreateDCW(driver, device, port.IsEmpty() ? nullptr : static_cast<LPCTSTR>(port), pMode);
    if (pMode != nullptr)
    {
        ::GlobalUnlock(m_pd.hDevMode);
    }
    return m_pd.hDC;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGW* pPrintDlg)
{
    if (m_hDevNames == nullptr)
    {
        CPrintDialog dialog(FALSE);
        if (dialog.GetDefaults())
        {
            m_hDevMode = dialog.m_pd.hDevMode;
            m_hDevNames = dialog.m_pd.hDevNames;
        }
    }
    if (m_hDevNames == nullptr || pPrintDlg == nullptr)
    {
        return FALSE;
    }
    pPrintDlg->hDevNames = m_hDevNames;
    pPrintDlg->hDevMode = m_hDevMode;
    return TRUE;
}

void CWinApp::DoWaitCursor(int nCode)
{
    const HCURSOR hWait = ::LoadCursorW(nullptr, IDC_WAIT);
    if (nCode > 0)
    {
        if (m_nWaitCursorCount++ == 0)
        {
            m_hcurWaitCursorRestore = ::SetCursor(hWait);
        }
        else
        {
            ::SetCursor(hWait);
        }
    }
    else if (nCode < 0)
    {
        if (m_nWaitCursorCount > 0 && --m_nWaitCursorCount == 0)
        {
            ::SetCursor(m_hcurWaitCursorRestore);
        }
    }
    else if (m_nWaitCursorCount > 0)
    {
        ::SetCursor(hWait);
    }
}

CWaitCursor::CWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
    {
        pApp->BeginWaitCursor();
    }
}

CWaitCursor::~CWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
    {
        pApp->EndWaitCursor();
    }
}

void CWaitCursor::Restore()
{
    if (CWinApp* pApp = AfxGetApp())
    {
        pApp->RestoreWaitCursor();
    }
}
