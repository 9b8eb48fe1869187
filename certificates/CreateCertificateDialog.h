/// \class CreateCertificateDialog
/// The modal dialog in which the user describes a self-signed certificate (its subject, file, expiration and
/// key size) and has it made, with a certification request on demand. Each field shows its explanation below
/// the fields while it has the focus.
///
/// \code{.cpp}
/// CreateCertificateDialog dialog(L"C:\\certs\\server.pfx", VCertificate::MakeRequest, this);
/// if (dialog.DoModal() == IDOK)
///     UseCertificate(dialog.GetPath()); // server.pfx, with server.csr beside it
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"
#include "dialogs/VDialog.h"

#include <afxwin.h>

class VCapiCertificateName;

class PARDALIN_API CreateCertificateDialog : public VDialog
{
public:
    // Construction
    /// Every subject field empty, the path as given, the expiration a year from now, 1024-bit keys. flags
    /// are VCertificate's generation flags (client certificate, request). The dialog's template comes from
    /// the library's resources.
    CreateCertificateDialog(const wchar_t* path, unsigned long flags, CWnd* parent);

    // Attributes
    /// The certificate file; after generation with ".pfx" added when the name had neither ".pfx" nor ".p12".
    /// Valid while the dialog lives.
    const wchar_t* GetPath() const;

protected:
    // Overridables
    /// The introduction, labels and introduction fitted to the dialog's font, the earliest expiration (now),
    /// the key sizes, then the fields.
    BOOL OnInitDialog() override;
    /// The fields; when saving, the subject must encode, else the user is told and its field focused.
    void DoDataExchange(CDataExchange* pDX) override;

    /// Generate: validates, completes the ending, asks before overwriting, makes and saves the files, and
    /// ends the dialog with IDOK; any failure is told and leaves the dialog open.
    afx_msg void OnGenerate();
    /// "...": the certificate file chooser, opened at the path's current text.
    afx_msg void OnBrowse();
    /// A field, the "..." button or the key size took the focus: shows its explanation.
    afx_msg void OnFieldFocus(UINT nID);
    /// The expiration picker took the focus: shows its explanation.
    afx_msg void OnPickerFocus(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // The seven subject fields as they were last exchanged.
    void FillName(VCapiCertificateName& name) const;
    // Puts the explanation of control nID (empty when it has none) under the fields.
    void Explain(UINT nID);

    DWORD m_dwFlags;
    CString m_strCommonName;
    CString m_strOrganizationalUnit;
    CString m_strOrganization;
    CString m_strCountry;
    CString m_strLocality;
    CString m_strStateOrProvince;
    CString m_strEmail;
    VUnicodeString m_strPath;
    FILETIME m_ftExpiration;
    int m_nKeySizeIndex;
};
