#include "hostkit/CountedBuffer.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(HostkitCountedBuffer, LengthStaysWithinCapacityAndGrowthKeepsBytesAndLength)
{
    auto* buffer = new VCountedBuffer("abcdef", 6);
    struct Step
    {
        bool reserve; // otherwise SetLength
        unsigned argument;
        unsigned capacity;
        unsigned length;
    };
    const Step steps[] = {
        {false, 6, 6, 6}, // as made from the bytes
        {false, 4, 6, 4}, // shorter: kept
        {false, 9, 6, 6}, // beyond the capacity: clamped
        {true, 3, 6, 6},  // never shrinks
        {true, 100000, 100000, 6}, {false, 100001, 100000, 100000}, {false, 0, 100000, 0},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.argument);
        if (step.reserve)
            EXPECT_TRUE(buffer->Reserve(step.argument));
        else
            buffer->SetLength(step.argument);
        EXPECT_EQ(step.capacity, buffer->GetCapacity());
        EXPECT_EQ(step.length, buffer->GetLength());
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
