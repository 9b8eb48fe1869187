#include "certificates/CreateCertificateDialog.h"

#include "certificates/VCapiCertificateName.h"
#include "certificates/VCertificate.h"
#include "certificates/VFileInformation.h"
#include "certificates/detail/CertificateFileChooser.h"
#include "frame/Pardalin.h"
#include "frame/VReportMessageParams.h"
#include "frame/ddx/DataExchange.h"
#include "resources/CreateCertificateDialogIds.h"

#include "PardalinMessages.h"

#include <afxcmn.h>

#include <algorithm>
#include <cwchar>
#include <ctime>

namespace
{
constexpr DWORD kKeySizes[] = {1024, 2048};
constexpr int kKeySizeCount = static_cast<int>(sizeof(kKeySizes) / sizeof(kKeySizes[0]));
constexpr ULONGLONG kYear = 365ULL * 24 * 60 * 60 * 10000000; // in FILETIME's units of 100 ns

struct Explanation
{
    UINT nControl;
    DWORD dwMessage;
};
constexpr Explanation kExplanations[] = {
    {IDC_CERTIFICATE_COMMON_NAME, MSG_HELP_COMMON_NAME},
    {IDC_CERTIFICATE_ORGANIZATION, MSG_HELP_ORGANIZATION},
    {IDC_CERTIFICATE_ORGANIZATIONAL_UNIT, MSG_HELP_ORGANIZATIONAL_UNIT},
    {IDC_CERTIFICATE_COUNTRY, MSG_HELP_COUNTRY},
    {IDC_CERTIFICATE_STATE, MSG_HELP_STATE},
    {IDC_CERTIFICATE_LOCALITY, MSG_HELP_LOCALITY},
    {IDC_CERTIFICATE_EMAIL, MSG_HELP_EMAIL},
    {IDC_CERTIFICATE_PATH, MSG_HELP_PATH},
    {IDC_CERTIFICATE_BROWSE, MSG_HELP_PATH},
    {IDC_CERTIFICATE_EXPIRATION, MSG_HELP_EXPIRATION},
    {IDC_CERTIFICATE_KEY_SIZE, MSG_HELP_KEY_SIZE},
};

// The control that holds a subject field; the common name's for any field that cannot be told.
int ControlOfField(int field)
{
    switch (field)
    {
    case VCapiCertificateName::Organization:
        return IDC_CERTIFICATE_ORGANIZATION;
    case VCapiCertificateName::OrganizationalUnit:
        return IDC_CERTIFICATE_ORGANIZATIONAL_UNIT;
    case VCapiCertificateName::Locality:
        return IDC_CERTIFICATE_LOCALITY;
    case VCapiCertificateName::StateOrProvince:
        return IDC_CERTIFICATE_STATE;
    case VCapiCertificateName::Country:
        return IDC_CERTIFICATE_COUNTRY;
    case VCapiCertificateName::Email:
        return IDC_CERTIFICATE_EMAIL;
    default:
        return IDC_CERTIFICATE_COMMON_NAME;
    }
}

// A certificate file ends in ".pfx" or ".p12"; any other non-empty path gets ".pfx" (a final "." is
// reused).
void CompletePfxEnding(VUnicodeString& path)
{
    if (path.IsEmpty())
        return;
    const int dot = path.ReverseFind(L'.');
    if (dot >= 0)
    {
        const VUnicodeString extension = path.Mid(dot + 1);
        if (_wcsicmp(extension, L"pfx") == 0 || _wcsicmp(extension, L"p12") == 0)
            return;
    }
    if (path[path.GetLength() - 1] != L'.')
        path += L'.';
    path += L"pfx";
}

// The children of the dialog, in their order.
template <class Visit> void ForEachChild(CWnd* dialog, Visit visit)
{
    for (HWND child = ::GetWindow(dialog->m_hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        visit(child);
}

// The template's labels and introduction are sized for the usual dialog font; a wider font, or a long
// application name, would cut them. Labels grow up to the column of fields; the introduction grows to all
// its lines, pushing down what lies below it.
void FitTexts(CDialog* dialog)
{
    CRect column;
    dialog->GetDlgItem(IDC_CERTIFICATE_COMMON_NAME)->GetWindowRect(&column);
    dialog->ScreenToClient(&column);
    CRect gap(0, 0, 2, 0);
    ::MapDialogRect(dialog->m_hWnd, &gap);
    CClientDC dc(dialog);
    CFont* pOldFont = dc.SelectObject(dialog->GetFont());
    ForEachChild(dialog,
                 [&](HWND child)
                 {
                     wchar_t kind[16] = {};
                     ::GetClassNameW(child, kind, 16);
                     CRect rect;
                     ::GetWindowRect(child, &rect);
                     dialog->ScreenToClient(&rect);
                     if (_wcsicmp(kind, L"Static") != 0 ||
                         (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_LEFT ||
                         rect.right > column.left)
                         return;
                     CString text;
                     CWnd::FromHandle(child)->GetWindowText(text);
                     CRect needed(0, 0, 0, 0);
                     dc.DrawText(text, &needed, DT_CALCRECT | DT_SINGLELINE);
                     if (needed.Width() <= rect.Width())
                         return;
                     // Too long for one line beside the fields: wrapped, into the space down to the next row.
                     needed.right = std::min<int>(needed.Width(), column.left - gap.right - rect.left);
                     dc.DrawText(text, &needed, DT_CALCRECT | DT_WORDBREAK);
                     ::MoveWindow(child, rect.left, rect.top, needed.Width(),
                                  std::max<int>(needed.Height(), rect.Height()), TRUE);
                 });
    TEXTMETRIC metrics;
    dc.GetTextMetrics(&metrics);
    dc.SelectObject(pOldFont);

    CWnd* pIntroduction = dialog->GetDlgItem(IDC_CERTIFICATE_INTRODUCTION);
    CRect shown, introduction;
    pIntroduction->SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
    const int lines = static_cast<int>(pIntroduction->SendMessage(EM_GETLINECOUNT));
    const int extra = lines * metrics.tmHeight - shown.Height();
    if (extra <= 0)
        return;
    pIntroduction->GetWindowRect(&introduction);
    dialog->ScreenToClient(&introduction);
    ForEachChild(dialog,
                 [&](HWND child)
                 {
                     CRect rect;
                     ::GetWindowRect(child, &rect);
                     dialog->ScreenToClient(&rect);
                     if (child == pIntroduction->m_hWnd)
                         rect.bottom += extra;
                     else if (rect.top >= introduction.bottom)
                         rect.OffsetRect(0, extra);
                     ::MoveWindow(child, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
                 });
    CRect window;
    dialog->GetWindowRect(&window);
    dialog->SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + extra, SWP_NOMOVE | SWP_NOZORDER);
}

// Single-line, as the explanation line and the message boxes show texts.
int TellUser(DWORD messageId, UINT type)
{
    const VReportMessageParams params(messageId);
    return AfxMessageBox(params.GetSingleLineText(), type);
}
} // namespace

BEGIN_MESSAGE_MAP(CreateCertificateDialog, VDialog)
ON_BN_CLICKED(IDC_CERTIFICATE_BROWSE, &CreateCertificateDialog::OnBrowse)
ON_BN_CLICKED(IDOK, &CreateCertificateDialog::OnGenerate)
ON_CONTROL_RANGE(EN_SETFOCUS, IDC_CERTIFICATE_COMMON_NAME, IDC_CERTIFICATE_PATH,
                 &CreateCertificateDialog::OnFieldFocus)
ON_CONTROL_RANGE(BN_SETFOCUS, IDC_CERTIFICATE_BROWSE, IDC_CERTIFICATE_BROWSE,
                 &CreateCertificateDialog::OnFieldFocus)
ON_NOTIFY(NM_SETFOCUS, IDC_CERTIFICATE_EXPIRATION, &CreateCertificateDialog::OnPickerFocus)
ON_CONTROL_RANGE(CBN_SETFOCUS, IDC_CERTIFICATE_KEY_SIZE, IDC_CERTIFICATE_KEY_SIZE,
                 &CreateCertificateDialog::OnFieldFocus)
END_MESSAGE_MAP()

CreateCertificateDialog::CreateCertificateDialog(const wchar_t* path, unsigned long flags, CWnd* parent)
    : VDialog(IDD_CREATE_CERTIFICATE, GetPardalinDll(), parent), m_dwFlags(flags), m_strPath(path),
      m_ftExpiration(), m_nKeySizeIndex(0)
{
    GetSystemTimeAsFileTime(&m_ftExpiration);
    ULARGE_INTEGER expiration;
    expiration.LowPart = m_ftExpiration.dwLowDateTime;
    expiration.HighPart = m_ftExpiration.dwHighDateTime;
    expiration.QuadPart += kYear;
    m_ftExpiration.dwLowDateTime = expiration.LowPart;
    m_ftExpiration.dwHighDateTime = expiration.HighPart;
}

const wchar_t* CreateCertificateDialog::GetPath() const
{
    return m_strPath.GetString();
}

BOOL CreateCertificateDialog::OnInitDialog()
{
    CString format;
    format.LoadString(GetPardalinDll(), IDS_CREATE_CERTIFICATE_INTRODUCTION);
    VUnicodeString introduction;
    introduction.Format(format, VGetAppName());
    SetDlgItemText(IDC_CERTIFICATE_INTRODUCTION, introduction);
    FitTexts(this);

    // A certificate that has expired before it is made is of no use.
    SYSTEMTIME range[2] = {};
    CTime(_time64(nullptr)).GetAsSystemTime(range[0]);
    SendDlgItemMessage(IDC_CERTIFICATE_EXPIRATION, DTM_SETRANGE, GDTR_MIN, reinterpret_cast<LPARAM>(range));

    for (int i = 0; i < kKeySizeCount; ++i)
    {
        VUnicodeString text;
        text.Format(L"%1!u!", kKeySizes[i]);
        SendDlgItemMessage(IDC_CERTIFICATE_KEY_SIZE, CB_INSERTSTRING, static_cast<WPARAM>(i),
                           reinterpret_cast<LPARAM>(text.GetString()));
    }
    SendDlgItemMessage(IDC_CERTIFICATE_KEY_SIZE, CB_SETCURSEL, static_cast<WPARAM>(m_nKeySizeIndex));
    SendDlgItemMessage(IDC_CERTIFICATE_KEY_SIZE, CB_SETMINVISIBLE, 2);

    return VDialog::OnInitDialog();
}

void CreateCertificateDialog::DoDataExchange(CDataExchange* pDX)
{
    VDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CERTIFICATE_COMMON_NAME, m_strCommonName);
    DDX_Text(pDX, IDC_CERTIFICATE_ORGANIZATIONAL_UNIT, m_strOrganizationalUnit);
    DDX_Text(pDX, IDC_CERTIFICATE_ORGANIZATION, m_strOrganization);
    DDX_Text(pDX, IDC_CERTIFICATE_COUNTRY, m_strCountry);
    DDV_MaxChars(pDX, m_strCountry, 2);
    DDX_Text(pDX, IDC_CERTIFICATE_LOCALITY, m_strLocality);
    DDX_Text(pDX, IDC_CERTIFICATE_STATE, m_strStateOrProvince);
    DDX_Text(pDX, IDC_CERTIFICATE_EMAIL, m_strEmail);
    DDX_Text(pDX, IDC_CERTIFICATE_PATH, m_strPath);
    DDX_DateTimeCtrl(pDX, IDC_CERTIFICATE_EXPIRATION, m_ftExpiration);
    DDX_CBIndex(pDX, IDC_CERTIFICATE_KEY_SIZE, m_nKeySizeIndex);
    if (!pDX->m_bSaveAndValidate)
        return;

    VCapiCertificateName name;
    FillName(name);
    if (name.Encode() == nullptr)
    {
        AfxMessageBox(name.GetStatus().GetSingleLineText(), MB_OK);
        pDX->PrepareEditCtrl(ControlOfField(name.GetFailedField()));
        pDX->Fail();
    }
}

void CreateCertificateDialog::FillName(VCapiCertificateName& name) const
{
    name.SetField(VCapiCertificateName::CommonName, m_strCommonName);
    name.SetField(VCapiCertificateName::Organization, m_strOrganization);
    name.SetField(VCapiCertificateName::OrganizationalUnit, m_strOrganizationalUnit);
    name.SetField(VCapiCertificateName::Country, m_strCountry);
    name.SetField(VCapiCertificateName::Locality, m_strLocality);
    name.SetField(VCapiCertificateName::StateOrProvince, m_strStateOrProvince);
    name.SetField(VCapiCertificateName::Email, m_strEmail);
}

void CreateCertificateDialog::OnGenerate()
{
    if (!UpdateData(TRUE))
        return;
    CompletePfxEnding(m_strPath);
    if (VFileInformation(m_strPath).Exists() && TellUser(MSG_CERTIFICATE_FILE_EXISTS, MB_YESNO) == IDNO)
        return;

    VCapiCertificateName name;
    FillName(name);
    VReportMessageParams err;
    const CERT_NAME_BLOB* encoded = name.Encode();
    const int keySize = m_nKeySizeIndex >= 0 && m_nKeySizeIndex < kKeySizeCount ? m_nKeySizeIndex : 0;
    VCertificate* certificate =
        encoded ? VCertificate::Create(encoded, &m_ftExpiration, m_dwFlags, kKeySizes[keySize], err)
                : nullptr;
    if (encoded == nullptr)
        err = name.GetStatus();
    const bool saved = certificate != nullptr && certificate->Save(m_strPath, err);
    if (certificate != nullptr)
        certificate->Release();
    if (saved)
    {
        EndDialog(IDOK);
        return;
    }
    AfxMessageBox(err.GetSingleLineText(), MB_OK);
}

void CreateCertificateDialog::OnBrowse()
{
    CString current;
    GetDlgItemText(IDC_CERTIFICATE_PATH, current);
    CString chosen;
    if (pardalin::detail::ChooseCertificateFile(current, OFN_SHOWHELP, this, chosen) != IDOK)
        return;
    m_strPath = chosen;
    SetDlgItemText(IDC_CERTIFICATE_PATH, chosen);
}

void CreateCertificateDialog::OnFieldFocus(UINT nID)
{
    Explain(nID);
}

void CreateCertificateDialog::OnPickerFocus(NMHDR* pNMHDR, LRESULT* pResult)
{
    Explain(static_cast<UINT>(pNMHDR->idFrom));
    *pResult = 0;
}

void CreateCertificateDialog::Explain(UINT nID)
{
    for (const Explanation& explanation : kExplanations)
    {
        if (explanation.nControl == nID)
        {
            const VReportMessageParams params(explanation.dwMessage);
            SetDlgItemText(IDC_CERTIFICATE_EXPLANATION, params.GetSingleLineText());
            return;
        }
    }
    SetDlgItemText(IDC_CERTIFICATE_EXPLANATION, L"");
}
