/// \file
/// VCertificate and two helpers: VCheckCertificatePath tells whether a path loads as a certificate,
/// VCertificateRequestToPem gives a certification request's PEM text.
///
/// \code{.cpp}
/// VReportMessageParams err;
/// if (!VCheckCertificatePath(typedPath, err))
///     return VMessageBox(&err, MB_OK, nullptr);
/// VString pem;
/// if (VCertificateRequestToPem(certificate->GetRequest(), certificate->GetRequestLength(), pem, err))
///     ... pem.GetString() ...
/// \endcode

/// \class VCertificate
/// A self-signed certificate made in the temporary key container, with its optional certification request,
/// or a certificate loaded from files or the current user's system store. It is reference counted (see
/// VUnknown): the last Release deletes it, and with it the key container of a certificate made here.
///
/// \code{.cpp}
/// VCapiCertificateName name;
/// name.SetField(VCapiCertificateName::CommonName, L"host.example.com");
/// VReportMessageParams err;
/// VCertificate* certificate = VCertificate::Create(name.Encode(), &notAfter, VCertificate::MakeRequest,
///                                                  2048, err);
/// if (!certificate)
///     return VMessageBox(&err, MB_OK, nullptr);
/// certificate->Save(L"C:\\certs\\host.pfx", err); // host.pfx and host.csr
/// certificate->Release();                         // deletes the key container
/// \endcode
#pragma once

#include "certificates/VCapiPfxStore.h"
#include "core/PardalinApi.h"
#include "core/VString.h"
#include "frame/VReportMessageParams.h"
#include "net/VUnknown.h"

#include <wincrypt.h>

// Declared before any use so that the one exported instantiation serves the library and its hosts.
extern template class PARDALIN_API VUnknown<IUnknown>;

class PARDALIN_API VCertificate : public VUnknown<IUnknown>
{
public:
    /// Generation flags, for Create.
    enum : DWORD
    {
        ClientCertificate = 0x1, ///< Client authentication; without it, server authentication.
        MakeRequest = 0x4        ///< Also make a certification request.
    };

    // Construction
    /// Empty, for Load. The object starts with one reference.
    VCertificate();
    /// A certificate valid from now until notAfter, for an RSA key of keyBits bits, signed with md5RSA and
    /// bound to its key container; encodedName (see VCapiCertificateName::Encode) is both subject and issuer.
    /// Null with err set on failure (ERROR_INVALID_PARAMETER for a null name or time). The object starts
    /// with one reference.
    static VCertificate* Create(const CERT_NAME_BLOB* encodedName, const FILETIME* notAfter, DWORD flags,
                                DWORD keyBits, VReportMessageParams& err);
    VCertificate(const VCertificate&) = delete;
    VCertificate& operator=(const VCertificate&) = delete;

    // Attributes
    /// The generated or system-store certificate; null after loading files (see GetStore).
    PCCERT_CONTEXT GetCertificate() const { return m_pCertificate; }
    /// The certificate files' store: what Load read from files, or the generated certificate's PFX part.
    const VCapiCertificateStore& GetStore() const { return m_store; }
    /// The request's DER bytes, owned by the object; null (and length 0) without one.
    const BYTE* GetRequest() const { return m_pRequest; }
    /// The length of GetRequest in bytes; 0 without a request.
    DWORD GetRequestLength() const { return m_dwRequestLength; }

    // Operations
    /// Loads `capi::<system store>::<common name>` (three parts, "capi" in any case) from the current user's
    /// system store, anything else as certificate files (see VCapiCertificateStore::Load). Success sets err
    /// to MSG_HOST_CERTIFICATE_LOADED (the path); failure to MSG_HOST_CERTIFICATE_NOT_LOADED (the path, the
    /// reason). A store path into an object that already holds a certificate fails leaving err as it was.
    bool Load(const wchar_t* path, VReportMessageParams& err);
    /// Writes the PFX file, and the request's PEM text beside it when there is a request: a final ".pfx" or
    /// ".p12" (any case) becomes ".csr", any other path gets ".csr" appended. False with err set when either
    /// fails.
    bool Save(const wchar_t* path, VReportMessageParams& err);

protected:
    /// Frees the certificate and the request; the store then deletes the key container. Release calls it.
    ~VCertificate() override;

private:
    VCertificate(PCCERT_CONTEXT certificate, const BYTE* request, DWORD requestLength);
    bool LoadFromSystemStore(const VUnicodeString& store, const VUnicodeString& commonName,
                             VReportMessageParams& err);

    PCCERT_CONTEXT m_pCertificate;
    VCapiCertificateStore m_store;
    BYTE* m_pRequest;
    DWORD m_dwRequestLength;
};

/// Whether the path loads as a certificate (into a fresh VCertificate, released at once). Failure sets err
/// to MSG_HOST_CERTIFICATE_PATH_INVALID; success leaves MSG_HOST_CERTIFICATE_LOADED (see VCertificate::Load).
PARDALIN_API bool VCheckCertificatePath(const wchar_t* path, VReportMessageParams& err);

/// The PEM text of a certification request: header, Base64 lines of 64 characters, footer, each line ending
/// in CR LF, no NUL counted. Empty input fails with ERROR_INVALID_PARAMETER; success sets err to id 0.
PARDALIN_API bool VCertificateRequestToPem(const BYTE* request, DWORD length, VString& pem,
                                           VReportMessageParams& err);
