// A lock that can be held across a scope and shared between objects.
#pragma once

#include "core/PardalinApi.h"
#include <unknwn.h>

struct ISynchObject : public IUnknown
{
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
};
