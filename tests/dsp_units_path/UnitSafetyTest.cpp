#include "dsp/units/curves/BuiltinCurves.h"
#include "tests/support/AllocationCounter.h"
#include "tests/support/StereoBuffer.h"
#include "tests/dsp_units_path/UnitRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

const Wezmark::BuiltinCurves& Builtins()
{
    return *Wezmark::BuiltinCurves::Shared();
}

StereoBuffer Music(int32_t frames)
{
    StereoBuffer block(frames);
    for (int32_t i = 0; i < frames; ++i)
    {
        block.left[i] = 0.9 * std::sin(0.05 * i);
        block.right[i] = 0.7 * std::cos(0.031 * i);
    }
    return block;
}

TEST(UnitSafety, BlockOperationsAllocateNothing)
{
    {
        const AllocationCounter probe;
        // A direct call, which no compiler may elide, proves that the counting is in place.
        ::operator delete(::operator new(16));
        ASSERT_EQ(probe.Allocations(), 1);
    }
    UnitRig rig(Builtins());
    for (UnitRig::Operation& operation : rig.Operations())
    {
        StereoBuffer block = Music(UnitRig::kBlockFrames);
        double* const* io = block.Io();
        const AllocationCounter counter;
        for (int repeat = 0; repeat < 4; ++repeat)
            operation.run(io, UnitRig::kBlockFrames);
        EXPECT_EQ(counter.Allocations(), 0) << operation.name;
    }
}

TEST(UnitSafety, NonFiniteInputGivesFiniteOutputAndLeavesNoPoisonedState)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    UnitRig rig(Builtins());
    for (UnitRig::Operation& operation : rig.Operations())
    {
        SCOPED_TRACE(operation.name);
        StereoBuffer bad = Music(UnitRig::kBlockFrames);
        for (int32_t i = 0; i < UnitRig::kBlockFrames; i += 7)
        {
            bad.left[i] = nan;
            bad.right[i + 3] = i % 2 ? inf : -inf;
        }
        StereoBuffer good = Music(UnitRig::kBlockFrames);
        for (StereoBuffer* block : {&bad, &good})
        {
            operation.run(block->Io(), UnitRig::kBlockFrames);
            for (int32_t i = 0; i < UnitRig::kBlockFrames; ++i)
            {
                ASSERT_TRUE(std::isfinite(block->left[i])) << i;
                ASSERT_TRUE(std::isfinite(block->right[i])) << i;
            }
        }
    }
}

} // namespace
