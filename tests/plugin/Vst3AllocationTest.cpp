#include "plugin/ParamIndex.h"
#include "tests/plugin/Vst3ProcessRig.h"
#include "tests/support/AllocationCounter.h"
#include "tests/vst3/TestParameterChanges.h"
#include "vst3/abi/ResultCodes.h"

#include <gtest/gtest.h>

namespace
{
// Automation points spread over the block split it into pieces; none of that allocates.
TEST(Vst3Allocation, ProcessWithParameterPointsNeverAllocates)
{
    constexpr int kBlock = 512;
    const AllocationCounter construction;
    Vst3ProcessRig rig(kBlock, 44100.0);
    // The counter sees what the effect allocates, so a zero below means something.
    ASSERT_GT(construction.Allocations(), 0);
    TestParameterChanges changes;
    for (int offset = 0; offset < kBlock; offset += 37)
    {
        changes.Add(kParamFilterCutoff, 0.4 + offset / 2048.0, offset);
        changes.Add(kParamVolume, 0.2 - offset / 8192.0, offset + 5);
    }
    changes.Add(IEffectVST3::kBypassParamId, 1.0, 300).Add(IEffectVST3::kBypassParamId, 0.0, 400);
    ASSERT_EQ(rig.Process(), Vst3::kResultOk);

    const AllocationCounter processing;
    ASSERT_EQ(rig.Process(&changes), Vst3::kResultOk);
    EXPECT_EQ(processing.Allocations(), 0);
}
}
