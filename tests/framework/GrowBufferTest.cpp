#include "framework/GrowBuffer.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cstdint>
#include <string>

namespace
{
struct GrowthCase
{
    int32_t granularity;
    int64_t size;
    int32_t expectedAllocation;
};

void PrintTo(const GrowthCase& c, std::ostream* out)
{
    std::ostream& os = *out;
    os << "granularity " << c.granularity << ", size " << c.size;
}

class GrowBufferGrowth : public testing::TestWithParam<GrowthCase>
{
};

TEST_P(GrowBufferGrowth, AllocatesWholePagesOrGranularitySteps)
{
    const GrowthCase& c = GetParam();
    GrowBuffer buffer(c.granularity);
    EXPECT_NE(buffer.Resize(c.size, true), nullptr);
    EXPECT_EQ(buffer.Size(), c.size);
    EXPECT_EQ(buffer.Allocated(), c.expectedAllocation);
}

INSTANTIATE_TEST_SUITE_P(Examples, GrowBufferGrowth,
                         testing::Values(GrowthCase{4096, 100, 4000}, GrowthCase{4096, 5000, 8096},
                                         GrowthCase{4096, 20000, 24480}, GrowthCase{4096, 100000, 147360},
                                         GrowthCase{4096, 20000000, 24190880}, GrowthCase{128, 10, 138}));

struct ShrinkCase
{
    int64_t initialSize;
    int64_t newSize;
    bool allowShrink;
    int32_t expectedAllocation;
    bool keepsBlock;
};

void PrintTo(const ShrinkCase& c, std::ostream* out)
{
    std::ostream& os = *out;
    os << c.initialSize << " to " << c.newSize << (c.allowShrink ? " shrinking" : " keeping");
}

class GrowBufferShrink : public testing::TestWithParam<ShrinkCase>
{
};

TEST_P(GrowBufferShrink, ReallocatesOnlyBelowTheLowWaterMark)
{
    const ShrinkCase& c = GetParam();
    GrowBuffer buffer;
    void* before = buffer.Resize(c.initialSize, true);
    void* after = buffer.Resize(c.newSize, c.allowShrink);
    EXPECT_EQ(buffer.Size(), std::max<int64_t>(c.newSize, 0));
    EXPECT_EQ(buffer.Allocated(), c.expectedAllocation);
    if (c.keepsBlock && c.newSize > 0)
    {
        EXPECT_EQ(after, before);
    }
    if (c.newSize <= 0)
    {
        EXPECT_EQ(after, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, GrowBufferShrink,
    testing::Values(ShrinkCase{100000, 100000, true, 147360, true},  // same size: untouched
                    ShrinkCase{100000, 80000, true, 147360, true},   // above the mark of 73680
                    ShrinkCase{100000, 60000, true, 85920, false},
                    ShrinkCase{100000, 10, false, 147360, true},     // shrinking not allowed
                    ShrinkCase{10000, 1, true, 12192, true},         // mark is 1 for 12192 bytes
                    ShrinkCase{10000, 0, true, 0, false},            // frees the block
                    ShrinkCase{10000, 0, false, 12192, true},        // keeps the block, used 0
                    ShrinkCase{10000, -5, false, 12192, true}));     // negative counts as 0

TEST(GrowBuffer, SizeBeyondInt32IsAnAllocationFailureThatKeepsTheBlock)
{
    for (int64_t hugeSize : {int64_t{INT32_MAX} - 100, int64_t{INT32_MAX} + 1, int64_t{1} << 40})
    {
        GrowBuffer buffer;
        void* block = buffer.Resize(100, true);
        EXPECT_EQ(buffer.Resize(hugeSize, true), block) << hugeSize;
        EXPECT_EQ(buffer.Size(), 100);
        EXPECT_EQ(buffer.Allocated(), 4000);
    }
}

TEST(GrowBuffer, AppendAddsBytesAtTheEndOrNothing)
{
    GrowBuffer buffer(16);
    const char first[] = {'a', 'b'};
    const char second[] = {'c'};
    ASSERT_TRUE(buffer.Append(first, 2));
    ASSERT_TRUE(buffer.Append(second, 1));
    ASSERT_EQ(buffer.Size(), 3);
    EXPECT_EQ(std::string(static_cast<const char*>(buffer.Data()), 3), "abc");

    EXPECT_FALSE(buffer.Append(second, INT32_MAX));
    EXPECT_FALSE(buffer.Append(second, -1));
    EXPECT_EQ(buffer.Size(), 3);
}
}
