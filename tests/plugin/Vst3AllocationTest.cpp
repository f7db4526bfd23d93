#include "plugin/ParamIndex.h"
#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/plugin/Vst3ProcessRig.h"
#include "tests/support/AllocationCounter.h"
#include "tests/vst3/TestParameterChanges.h"
#include "vst3/abi/ResultCodes.h"

#include <gtest/gtest.h>

namespace
{
// Automation points spread over the block split it into pieces; none of that allocates, nor
// what the changes leave for an editor.
TEST(Vst3Allocation, ProcessWithParameterPointsNeverAllocates)
{
    constexpr int kBlock = 512;
    for (const bool withEditor : {false, true})
    {
        const AllocationCounter construction;
        Vst3ProcessRig rig(kBlock, 44100.0);
        // The counter sees what the effect allocates, so a zero below means something.
        ASSERT_GT(construction.Allocations(), 0);
        if (withEditor)
            rig.plugin.BuildEditor(new HeadlessGraphics(&rig.plugin));
        TestParameterChanges changes;
        for (int offset = 0; offset < kBlock; offset += 37)
        {
            changes.Add(kParamFilterCutoff, 0.4 + offset / 2048.0, offset);
            changes.Add(kParamVolume, 0.2 - offset / 8192.0, offset + 5);
            changes.Add(kParamDistortionAmount, 0.3 + offset / 4096.0, offset + 9);
        }
        changes.Add(IEffectVST3::kBypassParamId, 1.0, 300).Add(IEffectVST3::kBypassParamId, 0.0, 400);
        ASSERT_EQ(rig.Process(), Vst3::kResultOk);

        const AllocationCounter processing;
        ASSERT_EQ(rig.Process(&changes), Vst3::kResultOk);
        EXPECT_EQ(processing.Allocations(), 0) << withEditor;
    }
}

// A program chosen in the block loads there; its quiet point and settling follow in the blocks
// after. With an editor, what the load and the quiet point leave for it allocates nothing either.
TEST(Vst3Allocation, ProgramChangeInProcessNeverAllocates)
{
    constexpr int kBlock = 512;
    constexpr int kBlocksPastTheChange = 8;
    for (const bool withEditor : {false, true})
    {
        const AllocationCounter construction;
        Vst3ProcessRig rig(kBlock, 44100.0);
        ASSERT_GT(construction.Allocations(), 0);
        if (withEditor)
            rig.plugin.BuildEditor(new HeadlessGraphics(&rig.plugin));
        ASSERT_EQ(rig.Process(), Vst3::kResultOk);
        TestParameterChanges changes;
        // k / count selects preset k.
        changes.Add(IEffectVST3::kProgramParamId, 77.0 / 128.0, 0);

        const AllocationCounter processing;
        ASSERT_EQ(rig.Process(&changes), Vst3::kResultOk);
        for (int block = 0; block < kBlocksPastTheChange; ++block)
            ASSERT_EQ(rig.Process(), Vst3::kResultOk);
        EXPECT_EQ(processing.Allocations(), 0) << withEditor;
        // The program did load, and reached the units.
        EXPECT_EQ(rig.plugin.GetCurrentPreset(), 77);
        for (int index = 0; index < kWorkingParamCount; ++index)
            EXPECT_EQ(rig.plugin.CurrentValues().Get(index), rig.plugin.GetParam(index)->Value())
                << "parameter " << index << ", " << withEditor;
    }
}
}
