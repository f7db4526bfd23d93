// The host's audio thread sets parameters and runs blocks through the plug-in's entry points
// while the editor's thread works the controller interfaces and redraws. Under ThreadSanitizer
// this shows every access the two share without synchronisation; elsewhere it shows that
// nothing breaks.
#include "dsp/units/curves/CurveActions.h"
#include "tests/editor_core/EditorRig.h"
#include "tests/support/TestThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

namespace
{
constexpr int kBlocks = 300;
constexpr int kFrames = 256;

TEST(EditorThread, EditorCallsRunBesideParameterChangesAndBlocks)
{
    EditorRig rig;
    Zarvotone& plugin = rig.plugin();
    rig.rig.Set(kParamSubBandSlope, 1.0);
    AEffect* effect = plugin.GetEffect();
    const StereoSignal input = MakeNoise(kFrames, 0.8);
    StereoSignal output = input;
    std::atomic<bool> audioDone{false};

    TestThread audio("the audio thread", [&] {
        const int automated[] = {kParamDistortionAmount, kParamDistortionType, kParamSubBandCutoff,
                                 kParamFilter1Type, kParamVolume, kParamBandLink};
        for (int block = 0; block < kBlocks; ++block)
        {
            const int index = automated[block % std::size(automated)];
            effect->setParameter(effect, index, static_cast<float>((block % 17) / 16.0));
            double* in[2] = {const_cast<double*>(input.left.data()), const_cast<double*>(input.right.data())};
            double* out[2] = {output.left.data(), output.right.data()};
            effect->processDoubleReplacing(effect, in, out, kFrames);
        }
        audioDone = true;
    });

    double curve[64];
    int round = 0;
    const auto editorRound = [&] {
        switch (round++ % 4)
        {
        case 0:
            plugin.ShowScopeTab();
            break;
        case 1:
            plugin.ShowAboutTab();
            break;
        default:
            plugin.ShowPlugInTab();
            break;
        }
        plugin.SetEqPage(round % 2 == 0);
        plugin.StepZoom(round % 3 != 0, 1.0);
        plugin.SetFrozen(round % 5 == 0);
        plugin.GetBandFreqCurve(round % 2, curve, 64);
        EXPECT_NE(plugin.GetFilterName(0), nullptr);
        EXPECT_LE(plugin.GetCurrentCurve(), 80);
        EXPECT_FALSE(plugin.GetPresetDisplayName().empty());
        plugin.ApplyCurveAction(round % 3 == 0 ? kSmoothCurve : kSharpCurve);
        for (int32_t i = 0; i < rig.drawArea.columns.Size(); ++i)
            rig.drawArea.columns.Set(i, (i % 7) / 7.0);
        plugin.PrepareCurveDrawing();
        rig.drawArea.drawn.store(true, std::memory_order_release);
        EXPECT_GE(plugin.PeakHold(0), 0.0);
        if (round % 8 == 0)
            plugin.RequestMeterReset();
        EXPECT_TRUE(std::isfinite(plugin.Previews().curve.Get(round % 133)));
        rig.graphics->Tick();
    };
    ASSERT_TRUE(WaitUntil([&] { return audioDone.load(); }, "the audio thread's blocks", editorRound));
    audio.Join();
    for (double sample : output.left)
        ASSERT_TRUE(std::isfinite(sample));
}
}
