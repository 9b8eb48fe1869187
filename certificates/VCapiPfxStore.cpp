#include "certificates/VCapiPfxStore.h"

#include <vector>

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
