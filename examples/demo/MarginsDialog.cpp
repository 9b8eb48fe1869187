#include "MarginsDialog.h"

#include "resource.h"
#include "printing/VValidateMargins.h"

#include <winspool.h>

namespace
{
constexpr UINT_PTR kScriptTimer = 1;
const int kMarginControls[] = {IDC_MARGIN_LEFT, IDC_MARGIN_RIGHT, IDC_MARGIN_TOP, IDC_MARGIN_BOTTOM};
} // namespace

BEGIN_MESSAGE_MAP(CMarginsDialog, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

CMarginsDialog::CMarginsDialog(VMarginData& margins, CWnd* pParent)
    : CDialog(IDD_PAGE_SETUP, pParent), m_margins(margins), m_edited(margins), m_nStep(0), m_bInStep(false)
{
}

int CMarginsDialog::MarginControl(int which)
{
    return kMarginControls[which];
}

void CMarginsDialog::TypeMargin(int which, const wchar_t* text)
{
    CWnd* edit = GetDlgItem(MarginControl(which));
    edit->SetFocus();
    edit->SendMessage(EM_SETSEL, 0, -1);
    edit->SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

BOOL CMarginsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    wchar_t name[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    SetDlgItemText(IDC_PRINTER_NAME, ::GetDefaultPrinterW(name, &length) ? name : L"(no default printer)");
    if (m_script)
        SetTimer(kScriptTimer, 150, nullptr);
    return TRUE;
}

void CMarginsDialog::DoDataExchange(CDataExchange* pDX)
{
    double* const values[] = {&m_edited.left, &m_edited.right, &m_edited.top, &m_edited.bottom};
    for (int which = 0; which < 4; ++which)
    {
        DDX_Text(pDX, MarginControl(which), *values[which]);
        DDV_MinMaxDouble(pDX, *values[which], 0, 100);
    }
}

void CMarginsDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // The printer's font is the dialog's, so that its measurements are those of text the host would print.
    LOGFONTW font = {};
    GetFont()->GetLogFont(&font);
    VValidateMargins check;
    VMarginData edited = m_edited;
    if (!check.Create(edited, &font))
    {
        AfxMessageBox(check.GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    for (int which = 0; which < 4; ++which)
    {
        double minimum = 0;
        if (!check.ValidateMargin(which, minimum))
        {
            AfxMessageBox(check.GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
            GotoDlgCtrl(GetDlgItem(MarginControl(which)));
            return;
        }
    }
    if (!check.validMarginsFinal())
    {
        AfxMessageBox(check.GetErrorMessage(), MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(GetDlgItem(MarginControl(0)));
        return;
    }
    m_margins = m_edited;
    CDialog::OnOK();
}

void CMarginsDialog::OnTimer(UINT_PTR nIDEvent)
{
    // A step may open a message box, whose own loop delivers further ticks.
    if (nIDEvent != kScriptTimer || m_bInStep)
        return;
    m_bInStep = true;
    const bool goesOn = m_script(*this, m_nStep++);
    m_bInStep = false;
    if (!goesOn && m_hWnd != nullptr)
        KillTimer(kScriptTimer);
}
