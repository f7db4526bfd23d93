// The VST3 controller and state calls of a host's UI thread beside process on its audio
// thread. The program is also built under ThreadSanitizer, which reports any access the two
// threads share unguarded.
#include "plugin/ParamIndex.h"
#include "tests/plugin/Vst3ProcessRig.h"
#include "tests/support/TestThread.h"
#include "tests/vst3/TestParameterChanges.h"
#include "tests/vst3/TestStream.h"
#include "vst3/abi/ResultCodes.h"

#include <gtest/gtest.h>

#include <atomic>

namespace
{
constexpr int kBlock = 512;
constexpr double kRate = 48000.0;
constexpr int kControllerRounds = 2000;
constexpr int kRoundsPerStateCall = 200;

TEST(Vst3Threads, ControllerAndStateCallsBesideProcessStayInRange)
{
    Vst3ProcessRig rig(kBlock, kRate);
    std::atomic<bool> playing{true};
    TestThread audio(
        "the audio thread",
        [&] {
            for (int block = 0; playing.load(); ++block)
            {
                const double value = (block % 10) / 10.0;
                TestParameterChanges changes;
                changes.Add(kParamDistortionAmount, value)
                    .Add(kParamFilterCutoff, 1.0 - value)
                    .Add(IEffectVST3::kBypassParamId, block % 7 == 0 ? 1.0 : 0.0);
                if (block % 11 == 0)
                    changes.Add(IEffectVST3::kProgramParamId, value);
                rig.Process(&changes);
            }
        },
        [&] { playing.store(false); });

    for (int round = 0; round < kControllerRounds; ++round)
    {
        EXPECT_EQ(rig.plugin.setParamNormalized(kParamDistortionAmount, 0.25), Vst3::kResultOk);
        for (Vst3::ParamID id : {Vst3::ParamID{kParamDistortionAmount}, Vst3::ParamID{kParamFilterCutoff},
                                 IEffectVST3::kBypassParamId})
        {
            const double value = rig.plugin.getParamNormalized(id);
            EXPECT_TRUE(value >= 0.0 && value <= 1.0) << id << " " << value;
        }
        if (round % kRoundsPerStateCall == 0)
        {
            TestStream saved;
            EXPECT_EQ(rig.plugin.getState(&saved), Vst3::kResultOk);
            saved.position = 0;
            EXPECT_EQ(rig.plugin.setState(&saved), Vst3::kResultOk);
        }
        // A program chosen in the host, which tells the controller as well as the queues.
        if (round % kRoundsPerStateCall == kRoundsPerStateCall / 2)
        {
            EXPECT_EQ(rig.plugin.setParamNormalized(IEffectVST3::kProgramParamId, (round % 10) / 10.0), Vst3::kResultOk);
        }
    }
    audio.Join();
}

// The audio thread never waits for a state call of the UI thread: a program change that
// arrives while one holds the presets takes effect in the first block after it.
TEST(Vst3Threads, ProgramChangeDuringAStateCallWaitsForALaterBlock)
{
    constexpr int kPreset = 5;
    Vst3ProcessRig rig(kBlock, kRate);
    ThreadSignal held;
    ThreadSignal release;
    TestThread ui(
        "the UI thread's state call",
        [&] {
            rig.plugin.GetStateLock().Enter();
            held.Raise();
            EXPECT_TRUE(release.Wait("the audio thread's block"));
            rig.plugin.GetStateLock().Leave();
        },
        [&] { release.Raise(); });
    ASSERT_TRUE(held.Wait("the UI thread to take the state lock"));

    TestParameterChanges changes;
    changes.Add(IEffectVST3::kProgramParamId, static_cast<double>(kPreset) / rig.plugin.GetPresetCount());
    EXPECT_EQ(rig.Process(&changes), Vst3::kResultOk);
    EXPECT_EQ(rig.plugin.GetCurrentPreset(), 0);

    ui.Join();
    EXPECT_EQ(rig.Process(), Vst3::kResultOk);
    EXPECT_EQ(rig.plugin.GetCurrentPreset(), kPreset);
}
}
