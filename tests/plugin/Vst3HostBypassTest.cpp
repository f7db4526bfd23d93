// The host's bypass switch, as a DAW's bypass button sets it, and the host's deactivation: the
// effect fades out and in instead of switching at once, and comes back settled on the signal
// instead of resuming from where it stopped or from cleared filters.

#include "tests/plugin/ChangeMeasure.h"
#include "tests/plugin/Vst3ProcessRig.h"
#include "tests/vst3/TestParameterChanges.h"

#include <gtest/gtest.h>

#include "vst3/abi/ResultCodes.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace
{
using namespace ChangeMeasure;

constexpr int kPresetCount = 128;

// The settings are held this long before the switch is set to where the change starts from,
// so that the effect has been heard and bypassed a while, as in a session.
constexpr double kPlayedSeconds = 0.1;

// What the host does to a block besides playing it: adds changes to its queue, or calls the
// effect before it; `changeFrame` as RenderChange gives it.
using HostActions = std::function<void(Vst3ProcessRig& rig, TestParameterChanges& changes, int played,
                                       int frames, int changeFrame)>;

// Program `program` played on the tone, with `actions` taken by the host at each block.
Render RenderWithHost(int program, double rate, int block, int changeOffset, const HostActions& actions)
{
    Vst3ProcessRig rig(block, rate);
    int played = 0;
    return RenderChange(rate, block, changeOffset,
                        [&](double* input, double* left, double* right, int frames, int changeFrame) {
                            TestParameterChanges changes;
                            if (played == 0)
                                changes.Add(IEffectVST3::kProgramParamId, static_cast<double>(program) / kPresetCount);
                            actions(rig, changes, played, frames, changeFrame);
                            played += frames;
                            for (int c = 0; c < 2; ++c)
                            {
                                std::vector<double>& in = rig.Input(c);
                                std::fill(in.begin(), in.end(), 0.0);
                                std::copy(input, input + frames, in.begin());
                            }
                            EXPECT_EQ(rig.Process(&changes), Vst3::kResultOk);
                            std::copy_n(rig.Output(0).begin(), frames, left);
                            std::copy_n(rig.Output(1).begin(), frames, right);
                        });
}

// Program `program`, played, then the host's bypass set to `from` and, `changeOffset` frames
// into the block at the settle time, the other way; without `changeOffset` it stays at `from`.
Render RenderBypass(int program, double rate, int block, bool from, std::optional<int> changeOffset)
{
    return RenderWithHost(program, rate, block, changeOffset.value_or(0),
                          [&](Vst3ProcessRig&, TestParameterChanges& changes, int played, int frames, int changeFrame) {
                              if (played < kPlayedSeconds * rate && played + frames >= kPlayedSeconds * rate)
                                  changes.Add(IEffectVST3::kBypassParamId, from ? 1.0 : 0.0);
                              if (changeFrame >= 0 && changeOffset)
                                  changes.Add(IEffectVST3::kBypassParamId, from ? 0.0 : 1.0, changeFrame);
                          });
}

// The programs of a plain path, of distortions and of a compressor, each of which stepped by
// up to 66 times the signal's own steps when the switch came at once. The crossfade dips where
// the effect shifts the tone by much of a period, as many programs do; only the steps are held
// to the settled signals.
TEST(Vst3HostBypass, FadesBothWaysWithoutAClick)
{
    for (const int program : {0, 2, 48, 91, 125})
        for (const double rate : {44100.0, 48000.0, 96000.0})
            for (const int block : {64, 512})
            {
                const int watch = static_cast<int>(kWatchSeconds * rate);
                const Render on = RenderBypass(program, rate, block, true, std::nullopt);
                const Render off = RenderBypass(program, rate, block, false, std::nullopt);
                const double steepest = std::max(SettledStep(on, rate), SettledStep(off, rate));
                for (const int offset : {0, block / 3})
                    for (const bool from : {false, true})
                    {
                        SCOPED_TRACE(testing::Message() << "program " << program << " at " << rate << " Hz, blocks of "
                                                        << block << ", bypass " << from << " to " << !from
                                                        << " at frame " << offset);
                        const Render change = RenderBypass(program, rate, block, from, offset);
                        EXPECT_LE(LargestStep(change.left, change.changeAt - 1, watch + 1) / steepest, 1.5);
                    }
            }
}

// Hosts deactivate and activate the effect around transport changes while their audio goes on;
// the output goes on as well, without a restart from cleared filters.
TEST(Vst3Activation, DeactivatedAndActivatedWhileTheAudioGoesOn)
{
    for (const int program : {0, 48, 91})
        for (const double rate : {44100.0, 48000.0, 96000.0})
            for (const int block : {64, 512})
            {
                SCOPED_TRACE(testing::Message() << "program " << program << " at " << rate << " Hz, blocks of "
                                                << block);
                const HostActions none = [](Vst3ProcessRig&, TestParameterChanges&, int, int, int) {};
                const double steepest = SettledStep(RenderWithHost(program, rate, block, 0, none), rate);
                const Render change = RenderWithHost(
                    program, rate, block, 0,
                    [](Vst3ProcessRig& rig, TestParameterChanges&, int, int, int changeFrame) {
                        if (changeFrame != 0)
                            return;
                        rig.plugin.setActive(false);
                        rig.plugin.setActive(true);
                    });
                const int watch = static_cast<int>(kWatchSeconds * rate);
                EXPECT_LE(LargestStep(change.left, change.changeAt - 1, watch + 1) / steepest, 1.5);
            }
}

// A program changed while the host bypasses the effect has no fade to wait for: its values are
// applied in the next block, and the effect comes back with them.
TEST(Vst3HostBypass, ProgramChangedWhileBypassedIsTakenAtOnce)
{
    constexpr int kBlock = 512;
    constexpr int kProgram = 48;
    Vst3ProcessRig rig(kBlock, 48000.0);
    for (int block = 0; block < 10; ++block)
        ASSERT_EQ(rig.Process(), Vst3::kResultOk);
    TestParameterChanges bypass;
    bypass.Add(IEffectVST3::kBypassParamId, 1.0);
    ASSERT_EQ(rig.Process(&bypass), Vst3::kResultOk);
    ASSERT_LT(IEffectVST3::kBypassFadeSeconds * 48000.0, kBlock);
    TestParameterChanges program;
    program.Add(IEffectVST3::kProgramParamId, static_cast<double>(kProgram) / kPresetCount);
    ASSERT_EQ(rig.Process(&program), Vst3::kResultOk);
    EXPECT_EQ(rig.plugin.GetCurrentPreset(), kProgram);
    for (int index = 0; index < kWorkingParamCount; ++index)
        EXPECT_EQ(rig.plugin.CurrentValues().Get(index), rig.plugin.GetParam(index)->Value()) << "parameter " << index;
}
} // namespace
