// VProfileStore, VProfileKey: owners of the host's profile back-end objects. A VProfileStore makes one store
// through the host's factory and opens its root key; a VProfileKey owns one back-end key, either that root or
// a sub-key opened below another VProfileKey. A sub-key outlives the store and parent it came from.
//
//     VProfileStore store;                                  // the factory registered with PardalinInit
//     VProfileKey key(*store.GetRootKey(), L"Recent File List");
//     VUnicodeString first;
//     if (key.ReadString(L"File1", &first)) ...
//
// When the host yields no store or no key, every read of the key fails and every write does nothing.
#pragma once

#include "core/PardalinApi.h"

class IProfileKeyBackend;
class IProfileStoreBackend;
class VProfileStoreFactory;
class VUnicodeString;

class PARDALIN_API VProfileKey
{
public:
    // Takes ownership of a back-end key (null gives a key that holds nothing).
    explicit VProfileKey(IProfileKeyBackend* key);
    // Opens or creates the sub-key `name` below `parent`.
    VProfileKey(const VProfileKey& parent, const wchar_t* name);
    virtual ~VProfileKey();
    VProfileKey(const VProfileKey&) = delete;
    VProfileKey& operator=(const VProfileKey&) = delete;

    // Attributes
    IProfileKeyBackend* GetBackend() const { return m_pKey; }

    // Operations: the back-end's, failing (reads) or doing nothing (writes) without a back-end key.
    bool ReadBinary(const wchar_t* name, BYTE* data, DWORD* size) const;
    bool ReadString(const wchar_t* name, VUnicodeString* value) const;
    bool ReadDword(const wchar_t* name, DWORD* value) const;
    void WriteBinary(const wchar_t* name, const BYTE* data, DWORD size) const;
    void WriteString(const wchar_t* name, const wchar_t* value) const;
    void WriteDword(const wchar_t* name, DWORD value) const;

private:
    IProfileKeyBackend* m_pKey;
};

class PARDALIN_API VProfileStore
{
public:
    // A null factory stands for the one registered with PardalinInit.
    explicit VProfileStore(VProfileStoreFactory* factory = nullptr);
    virtual ~VProfileStore();
    VProfileStore(const VProfileStore&) = delete;
    VProfileStore& operator=(const VProfileStore&) = delete;

    // Attributes
    VProfileKey* GetRootKey() const { return m_pRoot; }

private:
    IProfileStoreBackend* m_pStore;
    VProfileKey* m_pRoot;
    bool m_bOption;
};
