#include "framework/vst2/Vst2Constants.h"
#include "plugin/ParamIndex.h"
#include "tests/editor_core/EditorRig.h"
#include "tests/support/AllocationCounter.h"

#include <gtest/gtest.h>

namespace
{
// With the editor open, the quiet point of a program change applies every setting in the block;
// the editor's texts and values follow, and nothing of that allocates there.
TEST(EditorAllocation, ProgramChangeQuietPointAllocatesNothing)
{
    EditorRig rig;
    const StereoSignal input = MakeNoise(4 * PluginRig::kBlock, 0.5);
    StereoSignal output = input;
    double* in[2] = {const_cast<double*>(input.left.data()), const_cast<double*>(input.right.data())};
    double* out[2] = {output.left.data(), output.right.data()};
    rig.plugin().ProcessBlock(in, out, PluginRig::kBlock);
    rig.rig.Dispatch(effSetProgram, 0, 77);
    Zarvotone& plugin = rig.plugin();
    ASSERT_NE(plugin.CurrentValues().Get(kParamFilterResonance), plugin.GetParam(kParamFilterResonance)->Value());

    const AllocationCounter processing;
    plugin.ProcessBlock(in, out, 4 * PluginRig::kBlock);
    EXPECT_EQ(processing.Allocations(), 0);
    for (int index = 0; index < kWorkingParamCount; ++index)
        EXPECT_EQ(plugin.CurrentValues().Get(index), plugin.GetParam(index)->Value()) << "parameter " << index;
}
// A stroke drawn while processing runs is committed by the next block into every chain's
// built-in curve, which takes points of its own there from the room the stroke reserved.
TEST(EditorAllocation, DrawnCurveCommitAllocatesNothing)
{
    EditorRig rig;
    const StereoSignal input = MakeNoise(PluginRig::kBlock, 0.5);
    StereoSignal output = input;
    double* in[2] = {const_cast<double*>(input.left.data()), const_cast<double*>(input.right.data())};
    double* out[2] = {output.left.data(), output.right.data()};
    rig.plugin().ProcessBlock(in, out, PluginRig::kBlock);
    for (int32_t i = 0; i < rig.drawArea.columns.Size(); ++i)
        rig.drawArea.columns.Set(i, 0.5);
    rig.plugin().PrepareCurveDrawing();
    rig.drawArea.drawn = true;

    const AllocationCounter processing;
    rig.plugin().ProcessBlock(in, out, PluginRig::kBlock);
    EXPECT_EQ(processing.Allocations(), 0);
    EXPECT_FALSE(rig.drawArea.drawn.load());
    EXPECT_EQ(rig.plugin().Units().hostRate.chain1.distortion.current->Points()[0], -0.5);
}

} // namespace
