// Profile storage supplied by the host: a factory of stores, a store that opens its root key, and keys that
// read and write typed values by name. The library keeps nothing of its own between calls.
#pragma once

#include "core/PardalinApi.h"

class VUnicodeString;

class IProfileKeyBackend
{
public:
    virtual ~IProfileKeyBackend() {}
    // With a null data pointer only the size is reported.
    virtual bool ReadBinary(const wchar_t* name, BYTE* data, DWORD* size) = 0;
    virtual bool ReadString(const wchar_t* name, VUnicodeString* value) = 0;
    virtual bool ReadDword(const wchar_t* name, DWORD* value) = 0;
    virtual void WriteBinary(const wchar_t* name, const BYTE* data, DWORD size) = 0;
    virtual void WriteString(const wchar_t* name, const wchar_t* value) = 0;
    virtual void WriteDword(const wchar_t* name, DWORD value) = 0;
    // Opens or creates the named key below this one; the caller owns the result, which stays valid after this
    // key and its store are deleted.
    virtual IProfileKeyBackend* OpenSubKey(const wchar_t* name, DWORD reserved) = 0;
    virtual bool DeleteValue(const wchar_t* name) = 0;
    virtual bool DeleteSubKey(const wchar_t* name) = 0;
};

class IProfileStoreBackend
{
public:
    virtual ~IProfileStoreBackend() {}
    virtual IProfileKeyBackend* OpenRootKey(bool readOnly) = 0;
};

class VProfileStoreFactory
{
public:
    virtual ~VProfileStoreFactory() {}
    virtual IProfileStoreBackend* CreateStore() = 0;
};
