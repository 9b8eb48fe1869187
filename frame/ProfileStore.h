/// \class VProfileStoreFactory
/// Profile storage supplied by the host: a factory of stores, a store that opens its root key, and keys
/// that read and write typed values by name. The host hands a function returning its factory to
/// PardalinInit; the library makes a store each time it needs one and keeps nothing of its own between
/// calls. Values written by name come back by name with the same type; a read of an absent value fails.
/// Every call comes on whatever thread performs the library's operation.
///
/// \code{.cpp}
/// class CRegistryStores : public VProfileStoreFactory
/// {
///     IProfileStoreBackend* CreateStore() override { return new CRegistryStore(L"Software\\Example"); }
/// };
/// VProfileStoreFactory* ProfileStoreFactory() { static CRegistryStores stores; return &stores; }
/// PardalinInit(&ResolverFactory, &ProfileStoreFactory);
/// \endcode

/// \class IProfileStoreBackend
/// One profile store, made by VProfileStoreFactory::CreateStore and deleted by whoever asked for it. It
/// opens the root key, below which the library opens its own keys.
///
/// \code{.cpp}
/// std::unique_ptr<IProfileStoreBackend> store(factory->CreateStore());
/// std::unique_ptr<IProfileKeyBackend> root(store->OpenRootKey(false));
/// \endcode

/// \class IProfileKeyBackend
/// One key of a profile store: typed values by name, and the keys below it. A key is deleted by whoever
/// opened it, and stays valid after the key and the store that opened it are deleted.
///
/// \code{.cpp}
/// std::unique_ptr<IProfileKeyBackend> key(root->OpenSubKey(L"Recent File List", 0));
/// key->WriteDword(L"Count", 4);
/// DWORD count = 0;
/// if (key->ReadDword(L"Count", &count)) ...
/// \endcode
#pragma once

#include "core/PardalinApi.h"

class VUnicodeString;

class IProfileKeyBackend
{
public:
    /// Closes the key; keys opened from it stay valid.
    virtual ~IProfileKeyBackend() {}
    /// Reads a binary value into data, *size bytes at most, and sets *size to the value's length. With a
    /// null data pointer only the size is reported. False when the value is absent or is not binary.
    virtual bool ReadBinary(const wchar_t* name, BYTE* data, DWORD* size) = 0;
    /// Reads a string value into *value; false when the value is absent or is not a string.
    virtual bool ReadString(const wchar_t* name, VUnicodeString* value) = 0;
    /// Reads a 32-bit value into *value; false when the value is absent or is not a number.
    virtual bool ReadDword(const wchar_t* name, DWORD* value) = 0;
    /// Writes a binary value of size bytes, replacing any value of that name.
    virtual void WriteBinary(const wchar_t* name, const BYTE* data, DWORD size) = 0;
    /// Writes a string value, replacing any value of that name.
    virtual void WriteString(const wchar_t* name, const wchar_t* value) = 0;
    /// Writes a 32-bit value, replacing any value of that name.
    virtual void WriteDword(const wchar_t* name, DWORD value) = 0;
    /// Opens or creates the named key below this one (the library passes 0 for reserved); the caller owns
    /// the result, which stays valid after this key and its store are deleted.
    virtual IProfileKeyBackend* OpenSubKey(const wchar_t* name, DWORD reserved) = 0;
    /// Deletes the named value of this key; false when there was none or it could not be deleted. The
    /// library does not call it.
    virtual bool DeleteValue(const wchar_t* name) = 0;
    /// Deletes the named key below this one with everything below it; false when there was none or it
    /// could not be deleted. The library does not call it.
    virtual bool DeleteSubKey(const wchar_t* name) = 0;
};

class IProfileStoreBackend
{
public:
    /// Closes the store; keys opened from it stay valid.
    virtual ~IProfileStoreBackend() {}
    /// Opens the store's root key, read-only when asked (the library asks for writing); the caller owns the
    /// result.
    virtual IProfileKeyBackend* OpenRootKey(bool readOnly) = 0;
};

class VProfileStoreFactory
{
public:
    /// The library never deletes the host's factory.
    virtual ~VProfileStoreFactory() {}
    /// Makes a new store, owned by the caller.
    virtual IProfileStoreBackend* CreateStore() = 0;
};
