// VCapiKeyContainer: scoped access to the temporary key container in which certificates are made;
// VCapiKey: a key pair generated in it, its handle held for the scope.
//
//     VCapiKeyContainer container; // created, or opened when a previous run left it behind
//     if (!container.IsAcquired())
//         return container.GetStatus();
//     VCapiKey key(container.GetProvider(), 2048);
//     if (!key.IsGenerated())
//         return key.GetStatus();
//
// Leaving the scope releases the handles only. The container and its key stay for the certificate that uses
// them; the certificate's store deletes the container when it is destroyed.
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"
#include "frame/VReportMessageParams.h"

#include <wincrypt.h>

class PARDALIN_API VCapiKeyContainer
{
public:
    // Construction
    // Finds the provider type by the provider's name and acquires the container, creating it when it does
    // not exist.
    VCapiKeyContainer();
    VCapiKeyContainer(const VCapiKeyContainer&) = delete;
    VCapiKeyContainer& operator=(const VCapiKeyContainer&) = delete;
    // Releases the provider handle; the container stays.
    ~VCapiKeyContainer();

    // Attributes
    bool IsAcquired() const { return m_bAcquired; }
    HCRYPTPROV GetProvider() const { return m_hProvider; }
    const VUnicodeString& GetContainerName() const { return m_strContainerName; }
    const VUnicodeString& GetProviderName() const { return m_strProviderName; }
    // 0 when no installed provider has the name.
    DWORD GetProviderType() const { return m_dwProviderType; }
    // Id 0, or why the container was not acquired.
    const VReportMessageParams& GetStatus() const { return m_status; }

private:
    bool m_bAcquired;
    VUnicodeString m_strContainerName;
    VUnicodeString m_strProviderName;
    DWORD m_dwProviderType;
    HCRYPTPROV m_hProvider;
    VReportMessageParams m_status;
};

class PARDALIN_API VCapiKey
{
public:
    // Construction
    // Generates an exportable key-exchange key pair of keyBits bits, replacing the container's earlier one.
    VCapiKey(HCRYPTPROV provider, DWORD keyBits);
    VCapiKey(const VCapiKey&) = delete;
    VCapiKey& operator=(const VCapiKey&) = delete;
    // Destroys the handle; the key stays in the container.
    ~VCapiKey();

    // Attributes
    bool IsGenerated() const { return m_bGenerated; }
    HCRYPTKEY GetHandle() const { return m_hKey; }
    // Id 0, or why no key was generated.
    const VReportMessageParams& GetStatus() const { return m_status; }

private:
    bool m_bGenerated;
    HCRYPTKEY m_hKey;
    VReportMessageParams m_status;
};
