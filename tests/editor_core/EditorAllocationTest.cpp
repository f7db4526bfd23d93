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
} // namespace
