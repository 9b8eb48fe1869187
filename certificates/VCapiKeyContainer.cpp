#include "certificates/VCapiKeyContainer.h"

#include <vector>

namespace
{
constexpr wchar_t kContainerName[] = L"QorTmpKeyContainer";
constexpr wchar_t kProviderName[] = L"Microsoft RSA SChannel Cryptographic Provider";

// The type of the first installed provider named exactly `name`; 0 with the enumeration's error (normally
// ERROR_NO_MORE_ITEMS) as the last error when there is none.
DWORD FindProviderType(const wchar_t* name)
{
    for (DWORD index = 0;; ++index)
    {
        DWORD type = 0;
        DWORD size = 0;
        if (!CryptEnumProvidersW(index, nullptr, 0, &type, nullptr, &size))
            return 0;
        std::vector<wchar_t> found(size / sizeof(wchar_t) + 1);
        if (!CryptEnumProvidersW(index, nullptr, 0, &type, found.data(), &size))
            return 0;
        if (wcscmp(found.data(), name) == 0)
            return type;
    }
}
} // namespace

VCapiKeyContainer::VCapiKeyContainer()
    : m_bAcquired(false), m_strContainerName(kContainerName), m_strProviderName(kProviderName),
      m_dwProviderType(0), m_hProvider(0)
{
    m_dwProviderType = FindProviderType(m_strProviderName);
    if (m_dwProviderType == 0)
    {
        m_status = VReportMessageParams(GetLastError());
        return;
    }
    m_bAcquired = CryptAcquireContextW(&m_hProvider, m_strContainerName, m_strProviderName, m_dwProviderType,
                                       CRYPT_SILENT | CRYPT_NEWKEYSET);
    if (!m_bAcquired && GetLastError() == static_cast<DWORD>(NTE_EXISTS))
        m_bAcquired =
            CryptAcquireContextW(&m_hProvider, m_strContainerName, m_strProviderName, m_dwProviderType, 0);
    if (!m_bAcquired)
    {
        m_hProvider = 0;
        m_status = VReportMessageParams(GetLastError());
    }
}

VCapiKeyContainer::~VCapiKeyContainer()
{
    if (m_bAcquired)
        CryptReleaseContext(m_hProvider, 0);
}

VCapiKey::VCapiKey(HCRYPTPROV provider, DWORD keyBits) : m_bGenerated(false), m_hKey(0)
{
    m_bGenerated = CryptGenKey(provider, AT_KEYEXCHANGE, (keyBits << 16) | CRYPT_EXPORTABLE, &m_hKey);
    if (!m_bGenerated)
    {
        m_hKey = 0;
        m_status = VReportMessageParams(GetLastError());
    }
}

VCapiKey::~VCapiKey()
{
    if (m_bGenerated)
        CryptDestroyKey(m_hKey);
}
