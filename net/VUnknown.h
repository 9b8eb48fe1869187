/// \class VUnknown
/// The reference counting shared by every object the library hands out through an interface `I`. An object
/// starts with one reference, owned by its creator, and deletes itself in the Release that drops the last
/// one. The count changes by interlocked operations, so any thread may add and drop references.
///
/// \code{.cpp}
/// class VCriticalSection : public VUnknown<ISynchObject> { ... };
/// ISynchObject* lock = new VCriticalSection; // one reference
/// lock->AddRef();                            // two
/// lock->Release();
/// lock->Release();                           // deleted here
/// \endcode
///
/// \tparam I The interface implemented; it derives from IUnknown.
#pragma once

#include "core/PardalinApi.h"

#include <unknwn.h>

template <class I> class VUnknown : public I
{
public:
    /// A new object with one reference, its creator's.
    VUnknown();
    /// A copy is a new object: it owns its first reference whatever the source's count was.
    VUnknown(const VUnknown&);
    /// Leaves the count alone: each object keeps the references held on it.
    VUnknown& operator=(const VUnknown&);

    /// Always fails: stores null in `object` (when given) and returns E_NOINTERFACE. Interfaces are reached
    /// through the classes' own casts, never by identifier.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override;
    /// Adds a reference and returns the new count. Any thread.
    ULONG STDMETHODCALLTYPE AddRef() override;
    /// Drops a reference and returns the count left; the release that leaves 0 calls DeleteThis and
    /// returns 0. Any thread.
    ULONG STDMETHODCALLTYPE Release() override;

    /// Objects are destroyed by Release; deleting one directly ignores references still held.
    virtual ~VUnknown();

    /// Does nothing.
    void DisableVUnknownInterface();

protected:
    /// Called by the Release that drops the last reference: deletes the object. A class that must be torn
    /// down differently (on another thread, or into a pool) overrides it.
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
