#include "certificates/VCapiPfxStore.h"

#include "certificates/detail/Pkcs12Writer.h"
#include "files/VFile.h"

#include <atomic>
#include <vector>

namespace
{
// Whether the platform's PFX export was found to be a stub: it fails without setting an error.
std::atomic<bool> g_platformExportMissing{false};

bool ExportWithPlatform(PCCERT_CONTEXT certificate, std::vector<BYTE>& pfx)
{
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, 0, nullptr);
    if (!store)
        return false;
    CRYPT_DATA_BLOB blob{0, nullptr};
    bool exported = CertAddCertificateContextToStore(store, certificate, CERT_STORE_ADD_NEW, nullptr);
    if (exported)
    {
        SetLastError(0);
        exported = PFXExportCertStoreEx(store, &blob, nullptr, nullptr, EXPORT_PRIVATE_KEYS);
        if (!exported && GetLastError() == 0)
            g_platformExportMissing.store(true);
    }
    if (exported)
    {
        pfx.resize(blob.cbData);
        blob.pbData = pfx.data();
        exported = PFXExportCertStoreEx(store, &blob, nullptr, nullptr, EXPORT_PRIVATE_KEYS);
        pfx.resize(blob.cbData);
    }
    const DWORD error = GetLastError();
    CertCloseStore(store, 0);
    SetLastError(error);
    return exported;
}
} // namespace

VCapiPfxStore::VCapiPfxStore()
    : m_pCertificate(nullptr), m_hImportedStore(nullptr), m_dwKeyType(UnknownKey), m_dwProviderType(0)
{
}

VCapiPfxStore::VCapiPfxStore(PCCERT_CONTEXT certificate) : VCapiPfxStore()
{
    if (!certificate)
        return;
    m_pCertificate = CertDuplicateCertificateContext(certificate);
    DWORD size = 0;
    if (!CertGetCertificateContextProperty(certificate, CERT_KEY_PROV_INFO_PROP_ID, nullptr, &size))
        return;
    std::vector<BYTE> buffer(size);
    if (!CertGetCertificateContextProperty(certificate, CERT_KEY_PROV_INFO_PROP_ID, buffer.data(), &size))
        return;
    const auto* info = reinterpret_cast<const CRYPT_KEY_PROV_INFO*>(buffer.data());
    m_strContainerName = info->pwszContainerName;
    m_strProviderName = info->pwszProvName;
    m_dwProviderType = info->dwProvType;
}

VCapiPfxStore::~VCapiPfxStore()
{
    if (m_pCertificate)
        CertFreeCertificateContext(m_pCertificate);
    if (m_dwProviderType != 0)
    {
        HCRYPTPROV deleted = 0;
        CryptAcquireContextW(&deleted, m_strContainerName, m_strProviderName, m_dwProviderType,
                             CRYPT_DELETEKEYSET);
    }
    if (m_hImportedStore)
        CertCloseStore(m_hImportedStore, 0);
}

bool VCapiPfxStore::Save(const wchar_t* path, VReportMessageParams& err)
{
    err = VReportMessageParams(0);
    std::vector<BYTE> pfx;
    bool made = false;
    if (!g_platformExportMissing.load())
        made = ExportWithPlatform(m_pCertificate, pfx);
    if (!made && g_platformExportMissing.load())
    {
        HCRYPTPROV provider = 0;
        made = CryptAcquireContextW(&provider, m_strContainerName, m_strProviderName, m_dwProviderType,
                                    CRYPT_SILENT);
        if (made)
        {
            made = pardalin::detail::WritePkcs12(provider, m_pCertificate, pfx);
            const DWORD error = GetLastError();
            CryptReleaseContext(provider, 0);
            SetLastError(error);
        }
    }
    DWORD written = 0;
    VFile file;
    file.SetShareRead();
    if (!made || !file.Open(path, GENERIC_WRITE, CREATE_ALWAYS) ||
        !file.Write(pfx.data(), static_cast<DWORD>(pfx.size()), &written))
    {
        const DWORD error = GetLastError();
        err = VReportMessageParams(error != 0 ? error : static_cast<DWORD>(E_FAIL));
        return false;
    }
    return true;
}

VCapiCertificateStore::VCapiCertificateStore() : m_pCompanion(nullptr), m_hCompanionStore(nullptr) {}

VCapiCertificateStore::VCapiCertificateStore(PCCERT_CONTEXT certificate)
    : m_pCompanion(nullptr), m_hCompanionStore(nullptr), m_pfx(certificate)
{
}

VCapiCertificateStore::~VCapiCertificateStore()
{
    if (m_pCompanion)
        CertFreeCertificateContext(m_pCompanion);
    if (m_hCompanionStore)
        CertCloseStore(m_hCompanionStore, 0);
}
