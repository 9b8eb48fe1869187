#include "hostkit/CountedBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

VCountedBuffer::VCountedBuffer(unsigned size) : bytes(new BYTE[size]()), capacity(size), length(0) {}

VCountedBuffer::VCountedBuffer(const void* data, unsigned size) : VCountedBuffer(size)
{
    if (size != 0)
        std::memcpy(bytes.get(), data, size);
    length = size;
}

BYTE* VCountedBuffer::GetData()
{
    return bytes.get();
}

unsigned VCountedBuffer::GetCapacity()
{
    return capacity;
}

unsigned VCountedBuffer::GetLength()
{
    return length;
}

bool VCountedBuffer::Reserve(unsigned size)
{
    if (size <= capacity)
        return true;
    std::unique_ptr<BYTE[]> grown(new (std::nothrow) BYTE[size]);
    if (!grown)
        return false;
    if (capacity != 0)
        std::memcpy(grown.get(), bytes.get(), capacity);
    bytes = std::move(grown);
    capacity = size;
    return true;
}

void VCountedBuffer::SetLength(unsigned size)
{
    length = std::min(size, capacity);
}
