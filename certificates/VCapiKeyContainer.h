/// \class VCapiKeyContainer
/// Scoped access to the temporary key container in which certificates are made; VCapiKey is a key pair
/// generated in it.
///
/// \code{.cpp}
/// VCapiKeyContainer container; // created, or opened when a previous run left it behind
/// if (!container.IsAcquired())
///     return container.GetStatus();
/// VCapiKey key(container.GetProvider(), 2048);
/// if (!key.IsGenerated())
///     return key.GetStatus();
/// \endcode
///
/// Leaving the scope releases the handles only. The container and its key stay for the certificate that uses
/// them; the certificate's store deletes the container when it is destroyed.

/// \class VCapiKey
/// A key pair generated in a VCapiKeyContainer, its handle held for the scope; the key itself stays in the
/// container.
///
/// \code{.cpp}
/// VCapiKey key(container.GetProvider(), 2048);
/// if (!key.IsGenerated())
///     return key.GetStatus();
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include "core/VUnicodeString.h"
#include "frame/VReportMessageParams.h"

#include <wincrypt.h>

class PARDALIN_API VCapiKeyContainer
{
public:
    // Construction
    /// Finds the provider type by the provider's name and acquires the container, silently, creating it when
    /// it does not exist. Failure shows in IsAcquired and GetStatus.
    VCapiKeyContainer();
    VCapiKeyContainer(const VCapiKeyContainer&) = delete;
    VCapiKeyContainer& operator=(const VCapiKeyContainer&) = delete;
    /// Releases the provider handle; the container stays.
    ~VCapiKeyContainer();

    // Attributes
    /// Whether the container was acquired (created or opened).
    bool IsAcquired() const { return m_bAcquired; }
    /// The provider handle of the container, owned by this object; 0 when not acquired.
    HCRYPTPROV GetProvider() const { return m_hProvider; }
    /// The temporary container's fixed name.
    const VUnicodeString& GetContainerName() const { return m_strContainerName; }
    /// The name of the RSA provider the container is acquired from.
    const VUnicodeString& GetProviderName() const { return m_strProviderName; }
    /// The provider's type; 0 when no installed provider has the name.
    DWORD GetProviderType() const { return m_dwProviderType; }
    /// Id 0, or why the container was not acquired.
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
    /// Generates an exportable key-exchange key pair of keyBits bits, replacing the container's earlier one.
    /// Failure shows in IsGenerated and GetStatus.
    VCapiKey(HCRYPTPROV provider, DWORD keyBits);
    VCapiKey(const VCapiKey&) = delete;
    VCapiKey& operator=(const VCapiKey&) = delete;
    /// Destroys the handle; the key stays in the container.
    ~VCapiKey();

    // Attributes
    /// Whether the key pair was generated.
    bool IsGenerated() const { return m_bGenerated; }
    /// The key's handle, owned by this object; 0 when none was generated.
    HCRYPTKEY GetHandle() const { return m_hKey; }
    /// Id 0, or why no key was generated.
    const VReportMessageParams& GetStatus() const { return m_status; }

private:
    bool m_bGenerated;
    HCRYPTKEY m_hKey;
    VReportMessageParams m_status;
};
