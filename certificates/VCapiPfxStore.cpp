#include "certificates/VCapiPfxStore.h"

#include "certificates/VFileInformation.h"
#include "certificates/detail/LastError.h"
#include "certificates/detail/Pkcs12Writer.h"
#include "resources/HostMessageIds.h"
#include "files/VFile.h"

#include <atomic>
#include <vector>

namespace
{
using pardalin::detail::FailureCode;

// Whether the platform's PFX export was found to be a stub: it fails without setting an error.
std::atomic<bool> g_platformExportMissing{false};

bool ReadKeyProvider(PCCERT_CONTEXT certificate, std::vector<BYTE>& property)
{
    DWORD size = 0;
    if (!CertGetCertificateContextProperty(certificate, CERT_KEY_PROV_INFO_PROP_ID, nullptr, &size))
        return false;
    property.resize(size);
    return CertGetCertificateContextProperty(certificate, CERT_KEY_PROV_INFO_PROP_ID, property.data(), &size);
}

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
    std::vector<BYTE> property;
    if (!ReadKeyProvider(certificate, property))
        return;
    const auto* info = reinterpret_cast<const CRYPT_KEY_PROV_INFO*>(property.data());
    m_strContainerName = info->pwszContainerName;
    m_strProviderName = info->pwszProvName;
    m_dwProviderType = info->dwProvType;
}

VCapiPfxStore::~VCapiPfxStore()
{
    Drop();
}

void VCapiPfxStore::Drop()
{
    if (m_pCertificate)
        CertFreeCertificateContext(m_pCertificate);
    m_pCertificate = nullptr;
    if (m_dwProviderType != 0)
    {
        HCRYPTPROV deleted = 0;
        CryptAcquireContextW(&deleted, m_strContainerName, m_strProviderName, m_dwProviderType,
                             CRYPT_DELETEKEYSET);
    }
    m_dwProviderType = 0;
    m_dwKeyType = UnknownKey;
    m_strContainerName.Empty();
    m_strProviderName.Empty();
    if (m_hImportedStore)
        CertCloseStore(m_hImportedStore, 0);
    m_hImportedStore = nullptr;
}

bool VCapiPfxStore::Load(const wchar_t* path, VReportMessageParams& err)
{
    Drop();
    return Import(path, nullptr, err) || Import(path, L"", err);
}

bool VCapiPfxStore::Import(const wchar_t* path, const wchar_t* password, VReportMessageParams& err)
{
    err = VReportMessageParams(0);
    VFile file;
    file.SetShareRead();
    if (!file.OpenMapped(path))
    {
        err = VReportMessageParams(FailureCode());
        return false;
    }
    const unsigned __int64 size = file.GetSize();
    if (size > 0xFFFFFFFFull)
    {
        err = VReportMessageParams(MSG_HOST_PFX_TOO_LARGE);
        return false;
    }
    CRYPT_DATA_BLOB blob{static_cast<DWORD>(size),
                         static_cast<BYTE*>(const_cast<void*>(file.GetMappedView()))};
    m_hImportedStore = PFXImportCertStore(&blob, password, CRYPT_EXPORTABLE);
    if (!m_hImportedStore)
    {
        err = VReportMessageParams(FailureCode());
        return false;
    }
    std::vector<BYTE> property;
    PCCERT_CONTEXT found = nullptr;
    while ((found = CertEnumCertificatesInStore(m_hImportedStore, found)) != nullptr)
        if (ReadKeyProvider(found, property))
            break;
    if (!found)
    {
        err = VReportMessageParams(FailureCode());
        Drop();
        return false;
    }
    m_pCertificate = found;
    const auto* info = reinterpret_cast<const CRYPT_KEY_PROV_INFO*>(property.data());
    m_strContainerName = info->pwszContainerName;
    m_strProviderName = info->pwszProvName;
    m_dwProviderType = info->dwProvType;
    const char* algorithm = found->pCertInfo->SubjectPublicKeyInfo.Algorithm.pszObjId;
    if (strcmp(algorithm, szOID_RSA_RSA) == 0)
        m_dwKeyType = RsaKey;
    else if (strcmp(algorithm, szOID_X957_DSA) == 0)
        m_dwKeyType = DsaKey;
    else
    {
        err = VReportMessageParams(static_cast<DWORD>(NTE_BAD_ALGID));
        Drop();
        return false;
    }
    return true;
}

bool VCapiPfxStore::Save(const wchar_t* path, VReportMessageParams& err)
{
    err = VReportMessageParams(0);
    if (!m_pCertificate)
    {
        err = VReportMessageParams(ERROR_INVALID_PARAMETER);
        return false;
    }
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
        err = VReportMessageParams(FailureCode());
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
    DropCompanion();
}

void VCapiCertificateStore::DropCompanion()
{
    if (m_pCompanion)
        CertFreeCertificateContext(m_pCompanion);
    m_pCompanion = nullptr;
    if (m_hCompanionStore)
        CertCloseStore(m_hCompanionStore, 0);
    m_hCompanionStore = nullptr;
}

bool VCapiCertificateStore::Load(const wchar_t* path, VReportMessageParams& err)
{
    DropCompanion();
    if (!m_pfx.Load(path, err))
        return false;
    VUnicodeString base(path);
    const VUnicodeString extension = base.Right(4);
    if (extension.CompareNoCase(L".pfx") == 0 || extension.CompareNoCase(L".p12") == 0)
        base = base.Left(base.GetLength() - 4);
    VUnicodeString companion = base + L".crt";
    if (!VFileInformation(companion).Exists())
        companion = base + L".cer";
    if (!VFileInformation(companion).Exists())
        return true;

    std::vector<BYTE> property;
    m_hCompanionStore = CertOpenStore(CERT_STORE_PROV_FILENAME_W, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0,
                                      CERT_STORE_OPEN_EXISTING_FLAG, companion.GetString());
    if (m_hCompanionStore)
        m_pCompanion = CertEnumCertificatesInStore(m_hCompanionStore, nullptr);
    if (!m_pCompanion || !ReadKeyProvider(m_pfx.GetCertificate(), property) ||
        !CertSetCertificateContextProperty(m_pCompanion, CERT_KEY_PROV_INFO_PROP_ID,
                                           CERT_STORE_NO_CRYPT_RELEASE_FLAG, property.data()))
    {
        err = VReportMessageParams(FailureCode());
        DropCompanion();
        return false;
    }
    return true;
}
