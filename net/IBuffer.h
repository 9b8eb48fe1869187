/// \struct IBuffer
/// A counted block of bytes supplied by the host for the socket's reads and writes. A read fills up to
/// GetCapacity bytes and records the count with SetLength; a write sends the first GetLength bytes. The
/// socket holds a reference from the request to its completion. VCountedBuffer is a ready-made
/// implementation.
///
/// \code{.cpp}
/// IBuffer* reply = new VCountedBuffer(4096);
/// socket->Read(nullptr, reply); // OnReadComplete: reply->GetData() holds reply->GetLength() bytes
/// reply->Release();
/// \endcode
#pragma once

#include "core/PardalinApi.h"

#include <unknwn.h>

struct IBuffer : public IUnknown
{
    /// Makes room for at least `capacity` bytes, keeping the bytes held; false when memory cannot be had.
    virtual bool Reserve(unsigned capacity) = 0;
    /// The first byte of the block; GetCapacity bytes may be written there.
    virtual BYTE* GetData() = 0;
    /// The size of the block in bytes.
    virtual unsigned GetCapacity() = 0;
    /// The bytes in use: what a write sends, or what the last read received.
    virtual unsigned GetLength() = 0;
    /// Records how many bytes are in use; the socket sets it to the bytes received before a read completes.
    virtual void SetLength(unsigned length) = 0;
};
