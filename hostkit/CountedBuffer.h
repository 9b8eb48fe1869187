/// \class VCountedBuffer
/// A counted block of bytes for the socket's reads and writes.
///
/// \code{.cpp}
/// auto* buffer = new VCountedBuffer(65536);       // one reference; capacity 64 KiB, length 0
/// socket->Read(nullptr, buffer);                  // the socket holds its own reference until completion
/// buffer->Release();
///
/// auto* message = new VCountedBuffer("hello", 5); // capacity and length 5
/// socket->Write(nullptr, message);
/// message->Release();
/// \endcode
///
/// The count changes by interlocked operations, so any thread may add and drop references; the bytes
/// themselves belong to whoever the buffer was handed to (the socket, from request to completion).
///
/// Length and capacity: the length never exceeds the capacity. SetLength beyond the capacity sets the length
/// to the capacity: a read cannot have filled more, and a write never sends bytes the buffer does not hold.
/// Reserve only grows (exactly to the size asked), keeping the bytes and the length; it fails, changing
/// nothing, when memory cannot be had. Construction throws std::bad_alloc when memory cannot be had.
#pragma once

#include "net/IBuffer.h"
#include "net/VUnknown.h"

#include <memory>

class VCountedBuffer : public VUnknown<IBuffer>
{
public:
    // Construction
    /// `capacity` zeroed bytes, length 0; one reference. Throws std::bad_alloc when memory cannot be had.
    explicit VCountedBuffer(unsigned capacity);
    /// A copy of `length` bytes from `data`, which it holds as its capacity and length; one reference.
    /// Throws std::bad_alloc when memory cannot be had.
    VCountedBuffer(const void* data, unsigned length);

    // Attributes
    BYTE* GetData() override;
    unsigned GetCapacity() override;
    unsigned GetLength() override;

    // Operations
    /// Grows the block to exactly `capacity` bytes when it is smaller, keeping the bytes and the length;
    /// false, with nothing changed, when memory cannot be had. A smaller `capacity` changes nothing.
    bool Reserve(unsigned capacity) override;
    /// Records the bytes in use, at most the capacity (a larger value sets the capacity).
    void SetLength(unsigned length) override;

private:
    std::unique_ptr<BYTE[]> bytes;
    unsigned capacity;
    unsigned length;
};
