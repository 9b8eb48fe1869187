// Holds an ISynchObject for a scope; Unlock and Relock let the holder run foreign code (callbacks) unlocked.
#pragma once

#include "net/ISynchObject.h"

namespace pardalin::detail
{
class VSynchLock
{
public:
    explicit VSynchLock(ISynchObject* lockObject) : object(lockObject), locked(false)
    {
        if (object)
        {
            object->AddRef();
            object->Lock();
        }
        locked = true;
    }

    ~VSynchLock()
    {
        if (locked)
            Unlock();
        if (object)
            object->Release();
        object = nullptr;
    }

    VSynchLock(const VSynchLock&) = delete;
    VSynchLock& operator=(const VSynchLock&) = delete;

    void Unlock()
    {
        if (object)
            object->Unlock();
        locked = false;
    }

    void Relock()
    {
        if (object)
            object->Lock();
        locked = true;
    }

    bool IsLocked() const { return locked; }

private:
    ISynchObject* object;
    bool locked;
};
} // namespace pardalin::detail
