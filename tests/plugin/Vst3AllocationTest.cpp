#include "dsp/units/curves/CurveActions.h"
#include "framework/StateChunk.h"
#include "plugin/ParamIndex.h"
#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/plugin/Vst3ProcessRig.h"
#include "tests/support/AllocationCounter.h"
#include "tests/vst3/TestParameterChanges.h"
#include "vst3/abi/ResultCodes.h"

#include <gtest/gtest.h>

namespace
{
constexpr int kBlock = 512;

// An instance as a host prepares it, with or without its editor, and the count of what its
// construction allocated: the counter sees the effect's allocations, so a zero later means
// something.
struct CountedRig
{
    explicit CountedRig(bool withEditor) : rig(kBlock, 44100.0)
    {
        if (withEditor)
            rig.plugin.BuildEditor(new HeadlessGraphics(&rig.plugin));
    }

    AllocationCounter construction;
    Vst3ProcessRig rig;
};

// Automation points spread over the block split it into pieces; none of that allocates, nor
// what the changes leave for an editor.
TEST(Vst3Allocation, ProcessWithParameterPointsNeverAllocates)
{
    for (const bool withEditor : {false, true})
    {
        CountedRig counted(withEditor);
        ASSERT_GT(counted.construction.Allocations(), 0);
        Vst3ProcessRig& rig = counted.rig;
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
    constexpr int kBlocksPastTheChange = 8;
    for (const bool withEditor : {false, true})
    {
        CountedRig counted(withEditor);
        ASSERT_GT(counted.construction.Allocations(), 0);
        Vst3ProcessRig& rig = counted.rig;
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
// A program whose curve was edited, chosen in the block: its curve loads there, and lands on
// the curve it selects at the quiet point, without allocating.
TEST(Vst3Allocation, ProgramWithAnEditedCurveChosenInProcessNeverAllocates)
{
    constexpr int kBlock = 512;
    constexpr int kBlocksPastTheChange = 8;
    Vst3ProcessRig rig(kBlock, 44100.0);
    Zarvotone& plugin = rig.plugin;
    plugin.GetParam(kParamDistortionType)->SetNormalized(0.5);
    plugin.ParamChanged(kParamDistortionType);
    plugin.ApplyCurveAction(kInvertCurve);
    ASSERT_EQ(rig.Process(), Vst3::kResultOk);
    plugin.ModifyCurrentPreset("Edited");
    const double edited = plugin.Units().hostRate.chain1.distortion.current->Points()[0];
    TestParameterChanges away;
    away.Add(IEffectVST3::kProgramParamId, 77.0 / 128.0, 0);
    TestParameterChanges back;
    back.Add(IEffectVST3::kProgramParamId, 0.0, 0);

    const AllocationCounter processing;
    for (TestParameterChanges* change : {&away, &back})
    {
        ASSERT_EQ(rig.Process(change), Vst3::kResultOk);
        for (int block = 0; block < kBlocksPastTheChange; ++block)
            ASSERT_EQ(rig.Process(), Vst3::kResultOk);
    }
    EXPECT_EQ(processing.Allocations(), 0);
    EXPECT_EQ(plugin.GetCurrentPreset(), 0);
    EXPECT_EQ(plugin.Units().hostRate.chain1.distortion.current->Points()[0], edited);
}
// A program chosen in the block whose edited curve lands on a built-in curve, in an instance
// that has never made room for edits on its UI thread: the audio thread may not allocate that
// room, so the program is not loaded and nothing changes; once the UI thread has made room
// (here by a curve action) the same choice loads.
TEST(Vst3Allocation, ProgramWithoutRoomForItsCurveInProcessIsNotLoaded)
{
    constexpr int kBlock = 512;
    constexpr int kProgram = 5;
    StateChunk edited;
    {
        Vst3ProcessRig source(kBlock, 44100.0);
        source.plugin.GetParam(kParamDistortionType)->SetNormalized(0.5);
        source.plugin.ParamChanged(kParamDistortionType);
        source.plugin.ApplyCurveAction(kInvertCurve);
        ASSERT_EQ(source.Process(), Vst3::kResultOk);
        ASSERT_TRUE(source.plugin.SerializeState(edited));
    }
    Vst3ProcessRig rig(kBlock, 44100.0);
    PresetSlot& preset = *rig.plugin.GetPreset(kProgram);
    preset.state.Clear();
    ASSERT_TRUE(preset.state.AppendBytes(edited.Data(), edited.Size()));
    ASSERT_EQ(rig.Process(), Vst3::kResultOk);
    TestParameterChanges choose;
    choose.Add(IEffectVST3::kProgramParamId, kProgram / 128.0, 0);

    const AllocationCounter processing;
    ASSERT_EQ(rig.Process(&choose), Vst3::kResultOk);
    EXPECT_EQ(processing.Allocations(), 0);
    EXPECT_EQ(rig.plugin.GetCurrentPreset(), 0);

    rig.plugin.ApplyCurveAction(kNoCurveAction - 1);
    ASSERT_EQ(rig.Process(&choose), Vst3::kResultOk);
    EXPECT_EQ(rig.plugin.GetCurrentPreset(), kProgram);
}
}
