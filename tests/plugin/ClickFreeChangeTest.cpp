// Changes a musician makes every minute, measured at the VST2 entry: bypass, the noise gate
// and a mono input give neither clicks, dropouts nor bursts.

#include "framework/vst2/Vst2Constants.h"
#include "tests/plugin/Vst2ChangeRender.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace
{
using namespace ChangeMeasure;

constexpr double kRate = 44100.0;

// A render that holds `value` of parameter `index` throughout.
Render Held(const StartingPoint& start, int block, int index, double value)
{
    PluginRig rig(block, nullptr, kRate);
    Prepare(rig, start);
    rig.Set(index, value);
    return RenderChange(rig, kRate, block, {});
}

TEST(ClickFreeChanges, BypassComesAndGoesWithoutDropoutOrClick)
{
    for (const StartingPoint& setup : StartingPoints())
        for (const int block : {64, 512, 4096})
        {
            const Render on = Held(setup, block, kParamBypassAll, 1.0);
            const Render off = Held(setup, block, kParamBypassAll, 0.0);
            const double steepest = std::max(SettledStep(on, kRate), SettledStep(off, kRate));
            const double quieter = std::min(SettledLevel(on, kRate), SettledLevel(off, kRate));
            for (const double from : {0.0, 1.0})
            {
                SCOPED_TRACE(testing::Message() << setup.name << ", blocks of " << block << ", bypass " << from
                                                << " to " << 1.0 - from);
                PluginRig rig(block, nullptr, kRate);
                Prepare(rig, setup);
                rig.Set(kParamBypassAll, from);
                const Render change = RenderChange(rig, kRate, block, [&] { rig.Set(kParamBypassAll, 1.0 - from); });
                const Result result = Compare(change, kRate, steepest, quieter);
                EXPECT_LE(result.stepRatio, 1.5);
                EXPECT_LE(result.dipDb, 3.0);
            }
        }
}

// The dry signal in the mix, and the signal that bypasses the effect path, make the oversampled
// path's round trips: while a switch of oversampling crossfades they must follow it as the
// path's own signal does.
TEST(ClickFreeChanges, OversamplingSwitchesWithTheDryOrBypassedSignalHeard)
{
    const std::pair<int, double> heard[] = {{kParamDryWet, 0.5}, {kParamBypassAll, 1.0}, {kParamBypassAll, 0.5}};
    const auto render = [](const StartingPoint& setup, int block, std::pair<int, double> extra, double from,
                           bool change) {
        PluginRig rig(block, nullptr, kRate);
        Prepare(rig, setup);
        rig.Set(extra.first, extra.second);
        rig.Set(kParamOversampling, from);
        if (!change)
            return RenderChange(rig, kRate, block, {});
        return RenderChange(rig, kRate, block, [&] { rig.Set(kParamOversampling, 1.0 - from); });
    };
    for (const StartingPoint& setup : StartingPoints())
        for (const int block : {64, 4096})
            for (const auto& extra : heard)
            {
                const Render off = render(setup, block, extra, 0.0, false);
                const Render on = render(setup, block, extra, 1.0, false);
                const double steepest = std::max(SettledStep(on, kRate), SettledStep(off, kRate));
                const double quieter = std::min(SettledLevel(on, kRate), SettledLevel(off, kRate));
                for (const double from : {0.0, 1.0})
                {
                    SCOPED_TRACE(testing::Message() << setup.name << ", blocks of " << block << ", parameter "
                                                    << extra.first << " at " << extra.second << ", from " << from);
                    const Result result = Compare(render(setup, block, extra, from, true), kRate, steepest, quieter);
                    EXPECT_LE(result.stepRatio, 1.5);
                    EXPECT_LE(result.dipDb, 3.0);
                }
            }
}

double PeakAfterChange(const Render& render)
{
    double peak = 0.0;
    for (size_t i = static_cast<size_t>(render.changeAt); i < render.left.size(); ++i)
        peak = std::max(peak, std::fabs(render.left[i]));
    return peak;
}

// Held at any level, or lowered from a closed gate, the gate never lets more through than an
// open one does.
TEST(ClickFreeChanges, NoiseGateNeverAddsGain)
{
    constexpr int kBlock = 512;
    const Render open = Held(StartingPoints()[0], kBlock, kParamGateLevel, 0.0);
    const double openPeak = PeakAfterChange(open);
    const double allowed = openPeak * std::pow(10.0, 1.0 / 20.0);
    for (int step = 0; step <= 10; ++step)
    {
        const double level = step / 10.0;
        SCOPED_TRACE(testing::Message() << "gate held at " << level);
        EXPECT_LE(PeakAfterChange(Held(StartingPoints()[0], kBlock, kParamGateLevel, level)), allowed);
    }
    for (const double closed : {0.8, 0.9, 1.0})
        for (const double lowered : {0.3, 0.5, 0.75})
        {
            SCOPED_TRACE(testing::Message() << "gate lowered from " << closed << " to " << lowered);
            PluginRig rig(kBlock, nullptr, kRate);
            rig.Dispatch(effSetProgram, 0, 0);
            rig.Set(kParamGateLevel, closed);
            const Render change = RenderChange(rig, kRate, kBlock, [&] { rig.Set(kParamGateLevel, lowered); });
            EXPECT_LE(PeakAfterChange(change), allowed);
        }
}

// Hosts suspend and resume the effect around transport changes while their audio goes on; the
// output goes on as well, without the restart of cleared filters (up to 80 times the signal's
// steps on a compressor program), as it does when a VST3 host deactivates and activates it.
TEST(ClickFreeChanges, SuspendAndResumeWhileTheAudioGoesOn)
{
    for (const int program : {0, 2, 48, 91, 125})
        for (const double rate : {44100.0, 48000.0, 96000.0})
            for (const int block : {64, 512})
            {
                SCOPED_TRACE(testing::Message() << "program " << program << " at " << rate << " Hz, blocks of "
                                                << block);
                PluginRig held(block, nullptr, rate);
                held.Dispatch(effSetProgram, 0, program);
                const double steepest = SettledStep(RenderChange(held, rate, block, {}), rate);
                PluginRig rig(block, nullptr, rate);
                rig.Dispatch(effSetProgram, 0, program);
                const Render change = RenderChange(rig, rate, block, [&] {
                    rig.Dispatch(effMainsChanged, 0, 0);
                    rig.Dispatch(effMainsChanged, 0, 1);
                });
                const int watch = static_cast<int>(kWatchSeconds * rate);
                EXPECT_LE(LargestStep(change.left, change.changeAt - 1, watch + 1) / steepest, 1.5);
            }
}

// The pre- and post-filter process settings switch their chain on and off: switched off, the
// chain fades out instead of stopping (up to 12 times the signal's own steps on a saturation),
// and switched on again after it ran, it fades in from where it stopped.
TEST(ClickFreeChanges, ChainProcessSwitchesFadeTheChain)
{
    struct Setup
    {
        const char* name;
        int program;
        std::vector<std::pair<int, double>> values;
    };
    const Setup setups[] = {
        {"program 98", 98, {}},
        {"warm saturation",
         0,
         {{kParamDistortionAmount, 0.8}, {kParamDistortionType, 5.0 / 80.0}, {kParamDistortionMode, 0.0}}},
    };
    // At a peak when the change comes, where the chain's output differs most from its input.
    const Tone tone{kSineHz, kSineAmplitude, std::numbers::pi / 2.0};
    constexpr double kRanUntilSeconds = kSettleSeconds / 2.0;
    for (const int index : {kParamPreFilterProcess, kParamPostFilterProcess})
        for (const Setup& setup : setups)
            for (const double rate : {44100.0, 48000.0, 96000.0})
                for (const int block : {64, 512})
                {
                    const auto prepare = [&](PluginRig& rig, double value) {
                        rig.Dispatch(effSetProgram, 0, setup.program);
                        for (const auto& [other, otherValue] : setup.values)
                            rig.Set(other, otherValue);
                        rig.Set(index, value);
                    };
                    double steepest = 0.0;
                    for (const double held : {0.0, 0.5, 1.0})
                    {
                        PluginRig rig(block, nullptr, rate);
                        prepare(rig, held);
                        steepest = std::max(steepest, SettledStep(RenderChange(rig, rate, block, {}, tone), rate));
                    }
                    const int watch = static_cast<int>(kWatchSeconds * rate);
                    // The last one switches the chain off half way to the change.
                    const struct
                    {
                        const char* name;
                        double from;
                        double to;
                        bool ranBefore;
                    } changes[] = {
                        {"off", 1.0, 0.0, false}, {"on", 0.0, 1.0, false}, {"on again after it ran", 1.0, 1.0, true}};
                    for (const auto& change : changes)
                    {
                        SCOPED_TRACE(testing::Message() << setup.name << ", parameter " << index << " " << change.name
                                                        << " at " << rate << " Hz, blocks of " << block);
                        PluginRig rig(block, nullptr, rate);
                        prepare(rig, change.from);
                        const BlockPlayer play = Vst2Player(rig, [&](int played, int changeFrame) {
                            const int ranUntil = static_cast<int>(kRanUntilSeconds * rate);
                            if (change.ranBefore && played <= ranUntil && played + block > ranUntil)
                                rig.Set(index, 0.0);
                            if (changeFrame == 0)
                                rig.Set(index, change.to);
                        });
                        const Render render = RenderChange(rate, block, 0, play, tone);
                        EXPECT_LE(LargestStep(render.left, render.changeAt - 1, watch + 1) / steepest, 1.5);
                    }
                }
}

// A host's mono track hands over no right input: the right side hears the left one.
TEST(ClickFreeChanges, MonoInputSoundsAsTheLeftCopiedToBothSides)
{
    constexpr int kFrames = 8192;
    constexpr int kBlock = 512;
    const StereoSignal noise = MakeNoise(kFrames, 0.5);
    for (const int program : {0, 81})
    {
        SCOPED_TRACE(testing::Message() << "program " << program);
        StereoSignal outputs[2];
        for (const bool mono : {false, true})
        {
            PluginRig rig(kBlock, nullptr, kRate);
            rig.Dispatch(effSetProgram, 0, program);
            AEffect* effect = rig.plugin.GetEffect();
            StereoSignal& out = outputs[mono];
            out = {Signal(kFrames), Signal(kFrames)};
            for (int offset = 0; offset < kFrames; offset += kBlock)
            {
                double* left = const_cast<double*>(noise.left.data()) + offset;
                double* in[2] = {left, mono ? nullptr : left};
                double* o[2] = {out.left.data() + offset, out.right.data() + offset};
                effect->processDoubleReplacing(effect, in, o, kBlock);
            }
        }
        EXPECT_EQ(outputs[true].left, outputs[false].left);
        EXPECT_EQ(outputs[true].right, outputs[false].right);
    }
}

} // namespace
