#include "hostkit/CountedBuffer.h"

#include <gtest/gtest.h>

#include <cstring>

// Each step reserves (a capacity) or sets the length, then expects the capacity and the length; the bytes
// made from stay whatever happens.
TEST(HostkitCountedBuffer, LengthStaysWithinCapacityAndGrowthKeepsBytesAndLength)
{
    auto* buffer = new VCountedBuffer("abcdef", 6);
    const struct
    {
        bool reserve;
        unsigned argument, capacity, length;
    } steps[] = {{false, 6, 6, 6},     {false, 4, 6, 4},          {false, 9, 6, 6},
                 {true, 3, 6, 6},      {true, 100000, 100000, 6}, {false, 100001, 100000, 100000},
                 {false, 0, 100000, 0}};
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.argument);
        if (step.reserve)
            EXPECT_TRUE(buffer->Reserve(step.argument));
        else
            buffer->SetLength(step.argument);
        EXPECT_TRUE(buffer->GetCapacity() == step.capacity && buffer->GetLength() == step.length);
        EXPECT_EQ(0, std::memcmp(buffer->GetData(), "abcdef", 6));
    }
    buffer->GetData()[99999] = 1;
    buffer->Release();
    auto* empty = new VCountedBuffer(0u);
    EXPECT_TRUE(empty->Reserve(16));
    empty->SetLength(16);
    EXPECT_EQ(16u, empty->GetLength());
    empty->Release();
}
