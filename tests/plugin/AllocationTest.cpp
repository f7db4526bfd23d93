#include "dsp/units/curves/CurveActions.h"
#include "framework/StateChunk.h"
#include "framework/vst2/Vst2Constants.h"
#include "tests/plugin/PluginRig.h"
#include "tests/support/AllocationCounter.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
// Every configuration that takes the block routine down another road.
TEST(Allocation, ProcessBlockNeverAllocates)
{
    const struct
    {
        const char* name;
        std::function<void(PluginRig&)> configure;
    } cases[] = {
        {"defaults", [](PluginRig&) {}},
        {"every unit on, oversampled",
         [](PluginRig& rig) {
             for (int index : {kParamDistortionAmount, kParamPreFilterProcess, kParamShaperAmount, kParamFilterDrive,
                               kParamSubBandSaturation, kParamSubBandDistortion, kParamOutputSaturation,
                               kParamHqFilter, kParamOversampling, kParamAutoMakeUp, kParamInputSaturation})
                 rig.Set(index, 0.8);
             rig.Set(kParamSampleRateReduction, 0.5);
             rig.Set(kParamGateLevel, 0.2);
             rig.Set(kParamQuantization, 0.3);
         }},
        {"both filters elliptic", [](PluginRig& rig) {
             rig.Set(kParamFilter1Type, 14.0 / 30.0);
             rig.Set(kParamFilter2Type, 13.0 / 30.0);
         }},
        {"bypass all", [](PluginRig& rig) { rig.Set(kParamBypassAll, 1.0); }},
        {"scope tab", [](PluginRig& rig) { rig.plugin.Config().VisibleTab = 1.0; }},
        {"about tab", [](PluginRig& rig) { rig.plugin.Config().VisibleTab = 2.0; }},
        {"pending curve action", [](PluginRig& rig) { rig.plugin.ApplyCurveAction(kAddNoise); }},
        {"meter reset", [](PluginRig& rig) { rig.plugin.RequestMeterReset(); }},
        // Heard, so the new program waits for its quiet point inside the block.
        {"program change", [](PluginRig& rig) {
             rig.Render(MakeNoise(PluginRig::kBlock, 0.5), PluginRig::kBlock);
             rig.Dispatch(effSetProgram, 0, 77);
         }},
        // Its edited curve lands on a built-in one at the quiet point, which has no points of
        // its own yet.
        {"state with an edited curve", [](PluginRig& rig) {
             StateChunk state;
             {
                 PluginRig source;
                 source.Set(kParamDistortionType, 0.5);
                 source.plugin.ApplyCurveAction(kAddNoise);
                 source.Render(MakeNoise(PluginRig::kBlock, 0.5), PluginRig::kBlock);
                 source.plugin.SerializeState(state);
             }
             rig.Render(MakeNoise(PluginRig::kBlock, 0.5), PluginRig::kBlock);
             rig.plugin.UnserializeState(state, 0);
         }},
    };
    const StereoSignal input = MakeNoise(4 * PluginRig::kBlock, 0.9);
    StereoSignal output = input;
    for (const auto& c : cases)
    {
        const AllocationCounter construction;
        PluginRig rig;
        // The counter sees what the effect allocates, so a zero below means something.
        ASSERT_GT(construction.Allocations(), 0);
        c.configure(rig);
        double* in[2] = {const_cast<double*>(input.left.data()), const_cast<double*>(input.right.data())};
        double* out[2] = {output.left.data(), output.right.data()};
        const AllocationCounter processing;
        // Longer than the prepared size, so the slicing runs too.
        rig.plugin.ProcessBlock(in, out, 4 * PluginRig::kBlock);
        EXPECT_EQ(processing.Allocations(), 0) << c.name;
    }
}
}
