/// \struct ISynchObject
/// A lock that can be held across a scope and shared between objects; reference counted like the library's
/// other interfaces.
///
/// \code{.cpp}
/// lock->Lock();   // waits until no other thread holds it
/// ++shared.count;
/// lock->Unlock();
/// \endcode
#pragma once

#include "core/PardalinApi.h"
#include <unknwn.h>

struct ISynchObject : public IUnknown
{
    /// Takes the lock, waiting while another thread holds it; the thread that holds it may take it again.
    virtual void Lock() = 0;
    /// Gives back one Lock of the calling thread.
    virtual void Unlock() = 0;
};
