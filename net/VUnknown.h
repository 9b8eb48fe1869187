// VUnknown<I>: the reference counting shared by every object the library hands out through an interface I.
// An object starts with one reference, owned by its creator, and deletes itself in the Release that drops
// the last one.
//
//     class VCriticalSection : public VUnknown<ISynchObject> { ... };
//     ISynchObject* lock = new VCriticalSection; // one reference
//     lock->AddRef();                            // two
//     lock->Release();
//     lock->Release();                           // deleted here
#pragma once

#include "core/PardalinApi.h"

#include <unknwn.h>

template <class I> class VUnknown : public I
{
public:
    VUnknown();
    // A copy is a new object: it owns its first reference whatever the source's count was.
    VUnknown(const VUnknown&);
    VUnknown& operator=(const VUnknown&);

    // Interfaces are reached through the classes' own casts, never by identifier.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    virtual ~VUnknown();

    void DisableVUnknownInterface();

protected:
    virtual void DeleteThis();

private:
    volatile LONG refCount;
};

// Defined out of the class body so that an exported instantiation carries every member.

template <class I> VUnknown<I>::VUnknown() : refCount(1) {}

template <class I> VUnknown<I>::VUnknown(const VUnknown&) : I(), refCount(1) {}

template <class I> VUnknown<I>& VUnknown<I>::operator=(const VUnknown&)
{
    return *this;
}

template <class I> HRESULT STDMETHODCALLTYPE VUnknown<I>::QueryInterface(REFIID, void** object)
{
    if (object)
        *object = nullptr;
    return E_NOINTERFACE;
}

template <class I> ULONG STDMETHODCALLTYPE VUnknown<I>::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&refCount));
}

template <class I> ULONG STDMETHODCALLTYPE VUnknown<I>::Release()
{
    const LONG remaining = InterlockedDecrement(&refCount);
    if (remaining > 0)
        return static_cast<ULONG>(remaining);
    DeleteThis();
    return 0;
}

template <class I> VUnknown<I>::~VUnknown() {}

template <class I> void VUnknown<I>::DisableVUnknownInterface() {}

template <class I> void VUnknown<I>::DeleteThis()
{
    delete this;
}
