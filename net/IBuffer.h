// IBuffer: a counted block of bytes supplied by the host for the socket's reads and writes. A read fills up
// to GetCapacity bytes and records the count with SetLength; a write sends the first GetLength bytes. The
// socket holds a reference from the request to its completion.
#pragma once

#include "core/PardalinApi.h"

#include <unknwn.h>

struct IBuffer : public IUnknown
{
    // Makes room for at least `capacity` bytes, keeping the bytes held; false when memory cannot be had.
    virtual bool Reserve(unsigned capacity) = 0;
    virtual BYTE* GetData() = 0;
    virtual unsigned GetCapacity() = 0;
    virtual unsigned GetLength() = 0;
    virtual void SetLength(unsigned length) = 0;
};
