/// \file
/// VProfileStore, VProfileKey: owners of the host's profile back-end objects. A VProfileStore makes one
/// store through the host's factory and opens its root key; a VProfileKey owns one back-end key, either that
/// root or a sub-key opened below another VProfileKey. A sub-key outlives the store and parent it came from.
/// When the host yields no store or no key, every read of the key fails and every write does nothing.

/// \class VProfileKey
/// Owns one key of the host's profile back end and reads and writes its named values. A key without a
/// back-end key (the host yielded none) fails every read and ignores every write, so callers need no
/// checks of their own.
///
/// \code{.cpp}
/// VProfileStore store;                                  // the factory registered with PardalinInit
/// VProfileKey key(*store.GetRootKey(), L"Recent File List");
/// VUnicodeString first;
/// if (key.ReadString(L"File1", &first)) ...
/// key.WriteDword(L"Count", 4);
/// \endcode
///
/// The object does no locking of its own; it is as thread-safe as the host's back-end key.

/// \class VProfileStore
/// Makes one store through the host's profile factory and opens its root key, owning both until it is
/// destroyed. Keys opened below the root stay valid after the store is gone.
///
/// \code{.cpp}
/// VProfileStore store;                                  // the factory registered with PardalinInit
/// VProfileKey settings(*store.GetRootKey(), L"Settings");
/// DWORD width = 0;
/// settings.ReadDword(L"Width", &width);
/// \endcode
#pragma once

#include "core/PardalinApi.h"

class IProfileKeyBackend;
class IProfileStoreBackend;
class VProfileStoreFactory;
class VUnicodeString;

class PARDALIN_API VProfileKey
{
public:
    // Construction

    /// Takes ownership of a back-end key (null gives a key that holds nothing).
    explicit VProfileKey(IProfileKeyBackend* key);
    /// Opens or creates the sub-key `name` below `parent` through the parent's back-end key; a parent that
    /// holds nothing gives a key that holds nothing. The new key is independent of the parent's lifetime.
    VProfileKey(const VProfileKey& parent, const wchar_t* name);
    /// Deletes the back-end key.
    virtual ~VProfileKey();
    VProfileKey(const VProfileKey&) = delete;
    VProfileKey& operator=(const VProfileKey&) = delete;

    // Attributes

    /// The back-end key, still owned by this object; null when it holds nothing.
    IProfileKeyBackend* GetBackend() const { return m_pKey; }

    // Operations: the back-end's, failing (reads) or doing nothing (writes) without a back-end key.

    /// Reads the binary value `name` into `data`, whose room in bytes `*size` gives; with a null `data`
    /// only the value's size is reported, in `*size`. False when the value is absent or unreadable.
    bool ReadBinary(const wchar_t* name, BYTE* data, DWORD* size) const;
    /// Reads the string value `name` into `*value`; false when it is absent or unreadable.
    bool ReadString(const wchar_t* name, VUnicodeString* value) const;
    /// Reads the DWORD value `name` into `*value`; false when it is absent or unreadable.
    bool ReadDword(const wchar_t* name, DWORD* value) const;
    /// Writes `size` bytes from `data` as the binary value `name`, creating or replacing it.
    void WriteBinary(const wchar_t* name, const BYTE* data, DWORD size) const;
    /// Writes the NUL-terminated `value` as the string value `name`, creating or replacing it.
    void WriteString(const wchar_t* name, const wchar_t* value) const;
    /// Writes the DWORD value `name`, creating or replacing it.
    void WriteDword(const wchar_t* name, DWORD value) const;

private:
    IProfileKeyBackend* m_pKey;
};

class PARDALIN_API VProfileStore
{
public:
    // Construction

    /// Makes a store through `factory` (not taken over) and opens its root key for writing. A null factory
    /// stands for the one registered with PardalinInit; without one, or when the factory yields no store,
    /// the root key holds nothing.
    explicit VProfileStore(VProfileStoreFactory* factory = nullptr);
    /// Deletes the back-end store and the root key.
    virtual ~VProfileStore();
    VProfileStore(const VProfileStore&) = delete;
    VProfileStore& operator=(const VProfileStore&) = delete;

    // Attributes

    /// The root key, owned by the store and never null (it may hold nothing). Open sub-keys with
    /// VProfileKey(*GetRootKey(), name) to use them beyond the store's life.
    VProfileKey* GetRootKey() const { return m_pRoot; }

private:
    IProfileStoreBackend* m_pStore;
    VProfileKey* m_pRoot;
    bool m_bOption;
};
