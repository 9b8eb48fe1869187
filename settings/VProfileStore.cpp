#include "settings/VProfileStore.h"

#include "core/VUnicodeString.h"
#include "frame/ProfileStore.h"
#include "frame/detail/HostServices.h"

VProfileKey::VProfileKey(IProfileKeyBackend* key) : m_pKey(key) {}

VProfileKey::VProfileKey(const VProfileKey& parent, const wchar_t* name)
    : m_pKey(parent.m_pKey ? parent.m_pKey->OpenSubKey(name, 0) : nullptr)
{
}

VProfileKey::~VProfileKey()
{
    delete m_pKey;
}

bool VProfileKey::ReadBinary(const wchar_t* name, BYTE* data, DWORD* size) const
{
    return m_pKey && m_pKey->ReadBinary(name, data, size);
}

bool VProfileKey::ReadString(const wchar_t* name, VUnicodeString* value) const
{
    return m_pKey && m_pKey->ReadString(name, value);
}

bool VProfileKey::ReadDword(const wchar_t* name, DWORD* value) const
{
    return m_pKey && m_pKey->ReadDword(name, value);
}

void VProfileKey::WriteBinary(const wchar_t* name, const BYTE* data, DWORD size) const
{
    if (m_pKey)
        m_pKey->WriteBinary(name, data, size);
}

void VProfileKey::WriteString(const wchar_t* name, const wchar_t* value) const
{
    if (m_pKey)
        m_pKey->WriteString(name, value);
}

void VProfileKey::WriteDword(const wchar_t* name, DWORD value) const
{
    if (m_pKey)
        m_pKey->WriteDword(name, value);
}

namespace
{
VProfileStoreFactory* RegisteredFactory()
{
    const VProfileStoreFactoryFunction get = pardalin::detail::ProfileStoreFactory();
    return get ? get() : nullptr;
}
} // namespace

VProfileStore::VProfileStore(VProfileStoreFactory* factory)
    : m_pStore(nullptr), m_pRoot(nullptr), m_bOption(false)
{
    if (factory == nullptr)
        factory = RegisteredFactory();
    m_pStore = factory ? factory->CreateStore() : nullptr;
    m_pRoot = new VProfileKey(m_pStore ? m_pStore->OpenRootKey(m_bOption) : nullptr);
}

VProfileStore::~VProfileStore()
{
    delete m_pStore;
    delete m_pRoot;
}
