// Reference counting shared by every object the library hands out through an interface.
#pragma once

#include "core/PardalinApi.h"

#include <windows.h>
#include <unknwn.h>

template <class I> class VUnknown : public I
{
public:
    VUnknown() : refCount(1) {}
    // A copy is a new object: it owns its first reference whatever the source's count was.
    VUnknown(const VUnknown&) : I(), refCount(1) {}
    VUnknown& operator=(const VUnknown&) { return *this; }

    // Interfaces are reached through the classes' own casts, never by identifier.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        if (object)
            *object = nullptr;
        return E_NOINTERFACE;
    }

    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refCount)); }

    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG remaining = InterlockedDecrement(&refCount);
        if (remaining > 0)
            return static_cast<ULONG>(remaining);
        DeleteThis();
        return 0;
    }

    virtual ~VUnknown() {}

    void DisableVUnknownInterface() {}

protected:
    virtual void DeleteThis() { delete this; }

private:
    volatile LONG refCount;
};
