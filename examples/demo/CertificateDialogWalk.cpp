#include "CertificateDialogWalk.h"

#include "certificates/CreateCertificateDialog.h"
#include "certificates/VCertificate.h"
#include "resources/CreateCertificateDialogIds.h"

#include <cwchar>
#include <utility>

namespace
{
constexpr UINT_PTR kWalkTimer = 1;
constexpr int kPictureTicks = 50; // how long a picture may take, in ticks of 200 ms
constexpr wchar_t kPicture[] = L"create-certificate";

// The dialog of the scripted run: the fields typed one after the other at the first tick, the larger key
// chosen, then Generate once the picture is taken.
class CWalkedDialog : public CreateCertificateDialog
{
public:
    CWalkedDialog(const std::wstring& path, CWnd* parent, const CertificateDialogWalk& walk)
        : CreateCertificateDialog(path.c_str(), VCertificate::MakeRequest, parent), m_walk(walk), m_nTicks(0)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = CreateCertificateDialog::OnInitDialog();
        SetTimer(kWalkTimer, 200, nullptr);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == kWalkTimer)
        {
            Step();
            return 0;
        }
        return CreateCertificateDialog::WindowProc(message, wParam, lParam);
    }

private:
    void Step()
    {
        if (m_nTicks++ == 0)
        {
            const std::pair<int, const wchar_t*> typed[] = {
                {IDC_CERTIFICATE_COMMON_NAME, L"demo.example.com"},
                {IDC_CERTIFICATE_ORGANIZATION, L"Pardalin Demo"},
                {IDC_CERTIFICATE_ORGANIZATIONAL_UNIT, L"Hosts"},
                {IDC_CERTIFICATE_COUNTRY, L"US"},
                {IDC_CERTIFICATE_STATE, L"Oregon"},
                {IDC_CERTIFICATE_LOCALITY, L"Springfield"},
                {IDC_CERTIFICATE_EMAIL, L"hostmaster@example.com"}};
            for (const auto& field : typed)
            {
                GotoDlgCtrl(GetDlgItem(field.first));
                for (const wchar_t* p = field.second; *p; ++p)
                    GetDlgItem(field.first)->SendMessage(WM_CHAR, *p, 1);
            }
            SendDlgItemMessage(IDC_CERTIFICATE_KEY_SIZE, CB_SETCURSEL, 1);
            m_walk.requestScreenshot(kPicture);
            return;
        }
        if (!m_walk.captured(kPicture) && m_nTicks < kPictureTicks)
            return;
        KillTimer(kWalkTimer);
        GetDlgItem(IDOK)->SendMessage(BM_CLICK);
        // A failure leaves the dialog open with a message the walk has answered; it must not wait for a user.
        if (ContinueModal())
            EndDialog(IDCANCEL);
    }

    const CertificateDialogWalk& m_walk;
    int m_nTicks;
};

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
} // namespace

void RunCreateCertificate(CWnd* parent, const std::wstring& folder, const CertificateDialogWalk& walk)
{
    const std::wstring path = folder + L"\\demo-dialog.pfx";
    if (!walk.requestScreenshot)
    {
        CreateCertificateDialog dialog(path.c_str(), VCertificate::MakeRequest, parent);
        const bool bMade = dialog.DoModal() == IDOK;
        walk.log(bMade ? L"Create Certificate made " + std::wstring(dialog.GetPath())
                       : L"Create Certificate closed without a certificate");
        return;
    }

    CWalkedDialog dialog(path, parent, walk);
    walk.check(dialog.DoModal() == IDOK,
               L"Tools > Create Certificate: the typed fields, Generate, the dialog closes");
    VCertificate* certificate = new VCertificate;
    VReportMessageParams err;
    const bool bLoaded = certificate->Load(dialog.GetPath(), err);
    wchar_t subject[256] = L"";
    DWORD keyBits = 0;
    if (bLoaded)
    {
        CERT_INFO* info = certificate->GetStore().GetCertificate()->pCertInfo;
        CertNameToStrW(X509_ASN_ENCODING, &info->Subject, CERT_X500_NAME_STR | CERT_NAME_STR_SEMICOLON_FLAG,
                       subject, 256);
        keyBits = CertGetPublicKeyLength(X509_ASN_ENCODING, &info->SubjectPublicKeyInfo);
    }
    certificate->Release();
    walk.log(L"  " + std::wstring(dialog.GetPath()) + L": " + subject + L", " + std::to_wstring(keyBits) +
             L"-bit key");
    walk.check(wcscmp(subject, L"CN=demo.example.com; O=Pardalin Demo; OU=Hosts; C=US; L=Springfield; "
                               L"S=Oregon; E=hostmaster@example.com") == 0 &&
                   keyBits == 2048,
               L"demo-dialog.pfx loads back with the typed subject and the 2048-bit key chosen");
    walk.check(Exists(folder + L"\\demo-dialog.csr"), L"demo-dialog.csr, the request, is beside it");
}
