/// \class VCapiPfxStore
/// A certificate whose private key sits in a known CryptoAPI key container, and the owner of that container:
/// destroying the store deletes it.
///
/// \code{.cpp}
/// VCapiPfxStore store(generated); // reads the container from the key-provider property
/// store.Save(L"C:\\certs\\host.pfx", err);
/// // leaving the scope frees the certificate and deletes the container
/// \endcode

/// \class VCapiCertificateStore
/// A certificate as the library keeps it on the file side: the PFX part (a VCapiPfxStore) and an optional
/// companion certificate that uses the PFX's key.
///
/// \code{.cpp}
/// VCapiCertificateStore store;
/// if (!store.Load(L"C:\\certs\\host.pfx", err)) // and host.crt or host.cer, when there is one
///     return VMessageBox(&err, MB_OK, nullptr);
/// PCCERT_CONTEXT certificate = store.GetCertificate(); // the companion, else the PFX's certificate
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"
#include "frame/VReportMessageParams.h"

#include <wincrypt.h>

class PARDALIN_API VCapiPfxStore
{
public:
    /// The algorithm of the certificate's public key, as Load finds it.
    enum KeyType
    {
        UnknownKey = 0, ///< Not loaded from a file, or nothing loaded.
        RsaKey = 1,     ///< RSA.
        DsaKey = 2      ///< DSA.
    };

    // Construction
    /// No certificate and no container: nothing is deleted on destruction.
    VCapiPfxStore();
    /// Duplicates the context and takes the key container from its CERT_KEY_PROV_INFO_PROP_ID property; a
    /// certificate without one leaves the container unknown (provider type 0), and nothing is deleted later.
    explicit VCapiPfxStore(PCCERT_CONTEXT certificate);
    VCapiPfxStore(const VCapiPfxStore&) = delete;
    VCapiPfxStore& operator=(const VCapiPfxStore&) = delete;
    /// Frees the certificate, deletes a known key container, closes the imported store.
    virtual ~VCapiPfxStore();

    // Attributes
    /// The certificate, owned by the store; null when there is none.
    PCCERT_CONTEXT GetCertificate() const { return m_pCertificate; }
    /// A KeyType value; UnknownKey unless the certificate came from Load.
    DWORD GetKeyType() const { return m_dwKeyType; }
    /// The key container that holds the private key (and that the store deletes); empty when unknown.
    const VUnicodeString& GetContainerName() const { return m_strContainerName; }
    /// The name of the container's provider; empty when unknown.
    const VUnicodeString& GetProviderName() const { return m_strProviderName; }
    /// The type of the container's provider; 0 when unknown.
    DWORD GetProviderType() const { return m_dwProviderType; }

    // Operations
    /// Imports a PFX file, with a null password and then with the empty one, and takes its first certificate
    /// whose private key landed in a container; keys other than RSA and DSA fail with NTE_BAD_ALGID. What
    /// the store held before is dropped first, as on destruction. Sets err to id 0, or to why the last
    /// attempt failed.
    bool Load(const wchar_t* path, VReportMessageParams& err);
    /// Writes the certificate with its private key as a PFX file, with no password: the platform's export
    /// where it has one, otherwise the library's own writer. Sets err to id 0, or to the failing call's
    /// error (ERROR_INVALID_PARAMETER without a certificate).
    bool Save(const wchar_t* path, VReportMessageParams& err);

private:
    bool Import(const wchar_t* path, const wchar_t* password, VReportMessageParams& err);
    void Drop();

    PCCERT_CONTEXT m_pCertificate;
    HCERTSTORE m_hImportedStore;
    DWORD m_dwKeyType;
    VUnicodeString m_strContainerName;
    VUnicodeString m_strProviderName;
    DWORD m_dwProviderType;
};

class PARDALIN_API VCapiCertificateStore
{
public:
    // Construction
    /// An empty PFX part and no companion.
    VCapiCertificateStore();
    /// The PFX part holds the certificate (see VCapiPfxStore); there is no companion.
    explicit VCapiCertificateStore(PCCERT_CONTEXT certificate);
    VCapiCertificateStore(const VCapiCertificateStore&) = delete;
    VCapiCertificateStore& operator=(const VCapiCertificateStore&) = delete;
    /// Frees the companion certificate and closes its store; the PFX part goes after them.
    virtual ~VCapiCertificateStore();

    // Attributes
    /// The companion certificate, owned by the store; null without one.
    PCCERT_CONTEXT GetCompanionCertificate() const { return m_pCompanion; }
    /// The PFX part.
    const VCapiPfxStore& GetPfxStore() const { return m_pfx; }
    /// The companion when there is one, else the PFX's certificate.
    PCCERT_CONTEXT GetCertificate() const { return m_pCompanion ? m_pCompanion : m_pfx.GetCertificate(); }

    // Operations
    /// Loads the PFX at the path (see VCapiPfxStore::Load), then the first certificate of a companion file of
    /// the same name ending in ".crt" (or else ".cer") instead of a final ".pfx" or ".p12", which is given
    /// the PFX's private key. No companion file is no failure; a companion that does not load or take the key
    /// fails, with err set and no companion kept.
    bool Load(const wchar_t* path, VReportMessageParams& err);
    /// Writes the PFX part (see VCapiPfxStore::Save).
    bool Save(const wchar_t* path, VReportMessageParams& err) { return m_pfx.Save(path, err); }

private:
    void DropCompanion();

    PCCERT_CONTEXT m_pCompanion;
    HCERTSTORE m_hCompanionStore;
    VCapiPfxStore m_pfx;
};
