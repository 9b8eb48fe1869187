#include "hostkit/CountedBuffer.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(HostkitCountedBuffer, LengthStaysWithinCapacityAndGrowthKeepsBytesAndLength)
{
    auto* buffer = new VCountedBuffer("abcdef", 6);
    EXPECT_EQ(6u, buffer->GetCapacity());
    EXPECT_EQ(6u, buffer->GetLength());
    EXPECT_EQ(0, std::memcmp(buffer->GetData(), "abcdef", 6));

    struct Step
    {
        enum
        {
            Reserve,
            SetLength
        } operation;
        unsigned argument;
        unsigned capacity;
        unsigned length;
    };
    const Step steps[] = {
        {Step::SetLength, 4, 6, 4}, // shorter: kept
        {Step::SetLength, 9, 6, 6}, // beyond the capacity: clamped
        {Step::Reserve, 3, 6, 6},   // never shrinks
        {Step::Reserve, 100000, 100000, 6}, {Step::SetLength, 100001, 100000, 100000},
        {Step::SetLength, 0, 100000, 0},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.argument);
        if (step.operation == Step::Reserve)
            EXPECT_TRUE(buffer->Reserve(step.argument));
        else
            buffer->SetLength(step.argument);
        EXPECT_EQ(step.capacity, buffer->GetCapacity());
        EXPECT_EQ(step.length, buffer->GetLength());
        EXPECT_EQ(0, std::memcmp(buffer->GetData(), "abcdef", 6));
    }
    // The whole grown capacity is writable.
    buffer->GetData()[99999] = 1;

    auto* empty = new VCountedBuffer(0u);
    EXPECT_EQ(0u, empty->GetCapacity());
    EXPECT_TRUE(empty->Reserve(16));
    empty->SetLength(16);
    EXPECT_EQ(16u, empty->GetLength());

    EXPECT_EQ(2u, buffer->AddRef());
    EXPECT_EQ(1u, buffer->Release());
    EXPECT_EQ(0u, buffer->Release());
    empty->Release();
}
