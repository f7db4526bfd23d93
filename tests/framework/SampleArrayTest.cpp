#include "framework/SampleArray.h"

#include <gtest/gtest.h>

#include <utility>

namespace
{
TEST(SampleArray, GrowsOnlyPastTheCapacityIntoAZeroedBlock)
{
    SampleArray array;
    ResizeSampleArray(array, 8);
    ASSERT_NE(array.data, nullptr);
    EXPECT_EQ(array.capacity, 8);
    EXPECT_EQ(array.size, 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(array.data[i], 0.0);

    array.data[3] = 1.5;
    const double* block = array.data;
    ResizeSampleArray(array, 4);
    EXPECT_EQ(array.data, block);
    EXPECT_EQ(array.size, 8);
    EXPECT_EQ(array.data[3], 1.5);

    ResizeSampleArray(array, 16);
    EXPECT_EQ(array.capacity, 16);
    EXPECT_EQ(array.size, 16);
    EXPECT_EQ(array.data[3], 0.0);

    FreeSampleArray(array);
    EXPECT_EQ(array.data, nullptr);
    EXPECT_EQ(array.capacity, 0);
    EXPECT_EQ(array.size, 16);
}

TEST(ChannelPair, GrowsBothChannelsOnlyPastTheCapacity)
{
    ChannelPair pair;
    ResizeChannelPair(pair, 4);
    ASSERT_NE(pair.left, nullptr);
    ASSERT_NE(pair.right, nullptr);
    pair.left[0] = 1.0;
    pair.right[3] = 2.0;
    ResizeChannelPair(pair, 2);
    EXPECT_EQ(pair.left[0], 1.0);
    EXPECT_EQ(pair.size, 4);

    ResizeChannelPair(pair, 32);
    EXPECT_EQ(pair.capacity, 32);
    EXPECT_EQ(pair.left[0], 0.0);
    EXPECT_EQ(pair.right[3], 0.0);

    FreeChannelPair(pair);
    EXPECT_EQ(pair.left, nullptr);
    EXPECT_EQ(pair.right, nullptr);
    EXPECT_EQ(pair.capacity, 0);
}

TEST(SampleArray, MoveTakesTheBlock)
{
    SampleArray source;
    ResizeSampleArray(source, 8);
    const double* block = source.data;
    SampleArray target = std::move(source);
    EXPECT_EQ(target.data, block);
    EXPECT_EQ(source.data, nullptr);
    EXPECT_EQ(source.capacity, 0);
}
}
