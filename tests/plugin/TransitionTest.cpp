// Changes during playback, measured at the VST2 entry as a host hears them: no level spike
// while the limiter's threshold glides or a program changes, no step larger than the signal's own when a unit is
// switched off or a filter changes type, and a sample-rate reducer that sounds the same at any
// host block size.

#include "dsp/units/curves/SharedRandom.h"
#include "framework/StateChunk.h"
#include "framework/vst2/Vst2Constants.h"
#include "tests/plugin/PluginRig.h"
#include "tests/support/Decibels.h"
#include "tests/support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

namespace
{

constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
// About one second, near a peak of a 100 Hz sine.
constexpr int kChangeAt = 94 * kBlock;
constexpr int kFrames = kChangeAt + 48 * kBlock;
// The last frames of a render, taken as its settled state.
constexpr int kSettledSpan = 9600;

// Renders `input` on both channels through processDoubleReplacing, calling `change` before the
// block that starts at kChangeAt; gives the left channel.
Signal RenderAtEntry(PluginRig& rig, const Signal& input, int block, const std::function<void()>& change = {})
{
    Signal left(input.size());
    Signal right(input.size());
    AEffect* effect = rig.plugin.GetEffect();
    const int frames = static_cast<int>(input.size());
    for (int offset = 0; offset < frames; offset += block)
    {
        if (offset == kChangeAt && change)
            change();
        double* in[2] = {const_cast<double*>(input.data()) + offset, const_cast<double*>(input.data()) + offset};
        double* out[2] = {left.data() + offset, right.data() + offset};
        effect->processDoubleReplacing(effect, in, out, std::min(block, frames - offset));
    }
    return left;
}

double Peak(const Signal& signal, int from, int to)
{
    double peak = 0.0;
    for (int i = from; i < to; ++i)
        peak = std::max(peak, std::fabs(signal[static_cast<size_t>(i)]));
    return peak;
}

double LargestStep(const Signal& signal, int from, int to)
{
    double largest = 0.0;
    for (int i = from + 1; i < to; ++i)
        largest = std::max(largest, std::fabs(signal[static_cast<size_t>(i)] - signal[static_cast<size_t>(i - 1)]));
    return largest;
}

// Settings a render starts from, and the one parameter change made during it.
struct Case
{
    const char* name;
    std::vector<std::pair<int, double>> start;
    std::pair<int, double> change;
};

// How far the peak after the change rises above the louder of the settled peak before it and
// the settled peak at the end, in dB.
double RiseAboveSettled(const Signal& out)
{
    const double before = Peak(out, kChangeAt - kSettledSpan, kChangeAt);
    const double after = Peak(out, kFrames - kSettledSpan, kFrames);
    return Decibels(Peak(out, kChangeAt, kFrames)) - Decibels(std::max(before, after));
}

TEST(Transitions, AutoMakeUpNeverOvershootsWhileTheLimiterGlides)
{
    const Case cases[] = {
        {"soft, level 1 to 0.25", {{kParamLimiterMode, 1.0 / 3.0}, {kParamLimiterLevel, 1.0}}, {kParamLimiterLevel, 0.25}},
        {"medium, level 1 to 0.25", {{kParamLimiterMode, 2.0 / 3.0}, {kParamLimiterLevel, 1.0}}, {kParamLimiterLevel, 0.25}},
        {"hard, level 1 to 0.25", {{kParamLimiterMode, 1.0}, {kParamLimiterLevel, 1.0}}, {kParamLimiterLevel, 0.25}},
        {"level 0.25, soft to hard", {{kParamLimiterMode, 1.0 / 3.0}, {kParamLimiterLevel, 0.25}}, {kParamLimiterMode, 1.0}},
    };
    const Signal input = Sine(kFrames, 100.0, kRate, 1.0);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        PluginRig rig(kBlock, nullptr, kRate);
        rig.Dispatch(effSetProgram, 0, 0);
        rig.Set(kParamAutoMakeUp, 1.0);
        for (const auto& [index, value] : c.start)
            rig.Set(index, value);
        const Signal out = RenderAtEntry(rig, input, kBlock, [&] { rig.Set(c.change.first, c.change.second); });
        EXPECT_LT(RiseAboveSettled(out), 1.0);
    }
}

struct ProgramPair
{
    int from;
    int to;
    double inputLevel;
};
constexpr double kFullScale = 1.0;
constexpr double kMinus12dB = 0.25;

// Renders a 100 Hz sine at the pair's level through program `from`, changed to `to` at kChangeAt.
Signal RenderProgramChange(const ProgramPair& pair)
{
    const Signal input = Sine(kFrames, 100.0, kRate, pair.inputLevel);
    PluginRig rig(kBlock, nullptr, kRate);
    rig.Dispatch(effSetProgram, 0, pair.from);
    return RenderAtEntry(rig, input, kBlock, [&] { rig.Dispatch(effSetProgram, 0, pair.to); });
}

// Pairs that rose 1.1 to 7 dB when every setting glided on its own: the limiter let go while
// the loud signal of the old program was still gliding out, a band-split slope switched to a
// filter that had not heard the signal, the sub-band path switched on while a distortion mode
// crossfaded, a saturation came in while the volume fell, a high-pass output sweep glided out
// while a new distortion came in.
TEST(Transitions, ProgramChangeRisesLittleAboveEitherSettledLevel)
{
    const ProgramPair pairs[] = {
        {12, 6, kFullScale},   {123, 6, kFullScale},  {65, 0, kFullScale},   {119, 0, kFullScale},
        {51, 80, kFullScale},  {118, 39, kFullScale}, {107, 39, kFullScale}, {84, 116, kFullScale},
        {90, 55, kFullScale},  {95, 107, kFullScale}, {99, 120, kFullScale}, {98, 16, kFullScale},
        {39, 0, kMinus12dB},   {39, 125, kMinus12dB}, {22, 0, kMinus12dB},   {27, 0, kMinus12dB},
        {15, 57, kMinus12dB},  {52, 14, kMinus12dB},  {0, 4, kMinus12dB},    {0, 42, kMinus12dB},
        {95, 42, kMinus12dB},  {0, 57, kMinus12dB},   {101, 7, kMinus12dB},  {11, 92, kMinus12dB},
    };
    for (const ProgramPair& pair : pairs)
    {
        SCOPED_TRACE(testing::Message() << "program " << pair.from << " to " << pair.to << " at input level "
                                        << pair.inputLevel);
        EXPECT_LT(RiseAboveSettled(RenderProgramChange(pair)), 1.0);
    }
}

// The old program fades out and the new one in; neither fade nor the moment the settings
// change between them adds a step beyond the settled signals' own. Pairs that stepped 8 to 33
// times as far: the oversampling switched while a distortion changed, a resonant filter or the
// limiter changed with much else.
TEST(Transitions, ProgramChangeDoesNotClick)
{
    const ProgramPair pairs[] = {
        {2, 73, kFullScale},  {12, 6, kFullScale},  {79, 11, kFullScale},  {84, 58, kFullScale},
        {1, 79, kMinus12dB},  {43, 89, kMinus12dB}, {1, 60, kMinus12dB}, {118, 77, kMinus12dB},
    };
    for (const ProgramPair& pair : pairs)
    {
        SCOPED_TRACE(testing::Message() << "program " << pair.from << " to " << pair.to << " at input level "
                                        << pair.inputLevel);
        const Signal out = RenderProgramChange(pair);
        const double settled = std::max(LargestStep(out, kChangeAt - kSettledSpan, kChangeAt),
                                        LargestStep(out, kFrames - kSettledSpan, kFrames));
        EXPECT_LT(LargestStep(out, kChangeAt - 1, kFrames), 1.5 * settled);
    }
}

// The output dips for the change, then is heard again: a tenth of a second on, as loud as the new
// program settled.
TEST(Transitions, ProgramChangeGapIsShort)
{
    constexpr int kHeardAgainAt = kChangeAt + 4800;
    const Signal out = RenderProgramChange({12, 6, kFullScale});
    const double settled = Peak(out, kFrames - kSettledSpan, kFrames);
    EXPECT_GT(Peak(out, kHeardAgainAt, kHeardAgainAt + 960), 0.9 * settled);
}

TEST(Transitions, SwitchingAUnitOffGlidesOutWithoutAStep)
{
    const Case cases[] = {
        {"output saturation to 0", {{kParamOutputSaturation, 0.5}}, {kParamOutputSaturation, 0.0}},
        {"filter input drive to 0", {{kParamFilterDrive, 0.5}}, {kParamFilterDrive, 0.0}},
        {"input saturation to 0", {{kParamInputSaturation, 0.5}}, {kParamInputSaturation, 0.0}},
        {"distortion amount to 0", {{kParamPreFilterProcess, 1.0}, {kParamDistortionAmount, 0.5}}, {kParamDistortionAmount, 0.0}},
        {"distortion off", {{kParamPreFilterProcess, 1.0}, {kParamDistortionAmount, 0.5}}, {kParamDistortionOn, 0.0}},
        {"driving shaper to 0",
         {{kParamPreFilterProcess, 1.0}, {kParamShaperMode, 2.0 / 3.0}, {kParamShaperAmount, 0.5}},
         {kParamShaperAmount, 0.0}},
        {"limiter off", {{kParamLimiterMode, 1.0}, {kParamLimiterLevel, 0.25}}, {kParamLimiterMode, 0.0}},
    };
    const Signal input = Sine(kFrames, 100.0, kRate, 0.5);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        double jumps[2] = {};
        for (const bool oversampled : {false, true})
        {
            SCOPED_TRACE(oversampled ? "oversampled" : "at the host rate");
            PluginRig rig(kBlock, nullptr, kRate);
            rig.Dispatch(effSetProgram, 0, 0);
            rig.SetIdentity();
            rig.Set(kParamDryWet, 1.0);
            rig.Set(kParamOversampling, oversampled ? 1.0 : 0.0);
            for (const auto& [index, value] : c.start)
                rig.Set(index, value);
            const Signal out = RenderAtEntry(rig, input, kBlock, [&] { rig.Set(c.change.first, c.change.second); });
            // Half way through a glide a saturator's steps are somewhat steeper than settled ones;
            // stopping at once stepped by ten times as much.
            const double settled = std::max(LargestStep(out, kChangeAt - kSettledSpan, kChangeAt),
                                            LargestStep(out, kFrames - kSettledSpan, kFrames));
            jumps[oversampled] = LargestStep(out, kChangeAt - 1, kFrames);
            EXPECT_LT(jumps[oversampled], 1.5 * settled);
        }
        // Oversampled, a glide takes as long as at the host rate; one that ran eight times
        // faster stepped by half as much again to five times as much.
        EXPECT_LT(jumps[true], 1.35 * jumps[false]);
    }
}

// Program 12 to 6 changes filter 1 from type 25 to type 0 among much else.
TEST(Transitions, ProgramChangeWithAFilterTypeChangeHasNoStep)
{
    const Signal input = Sine(kFrames, 100.0, kRate, 1.0);
    PluginRig rig(kBlock, nullptr, kRate);
    rig.Dispatch(effSetProgram, 0, 12);
    const Signal out = RenderAtEntry(rig, input, kBlock, [&] { rig.Dispatch(effSetProgram, 0, 6); });
    const double settled = std::max(LargestStep(out, kChangeAt - kSettledSpan, kChangeAt),
                                    LargestStep(out, kFrames - kSettledSpan, kFrames));
    EXPECT_LT(LargestStep(out, kChangeAt - 1, kFrames), 1.1 * settled);
}

// What a program change leaves while its new settings wait for the quiet point: the host reads
// the new values and saves the new program at once; a suspend applies them there and then.
TEST(Transitions, ProgramChangeWaitingForItsQuietPointIsTheNewProgramToTheHost)
{
    constexpr int kFrom = 12;
    constexpr int kTo = 79;
    const Signal input = Sine(kBlock, 100.0, kRate, 0.5);
    PluginRig played(kBlock, nullptr, kRate);
    played.Dispatch(effSetProgram, 0, kFrom);
    PluginRig fresh(kBlock, nullptr, kRate);
    fresh.Dispatch(effSetProgram, 0, kTo);
    StateChunk expected;
    ASSERT_TRUE(fresh.plugin.SerializeState(expected));

    RenderAtEntry(played, input, kBlock);
    played.Dispatch(effSetProgram, 0, kTo);
    for (int index = 0; index < kWorkingParamCount; ++index)
        EXPECT_EQ(played.plugin.GetParam(index)->Value(), fresh.plugin.GetParam(index)->Value()) << "parameter " << index;
    StateChunk waiting;
    ASSERT_TRUE(played.plugin.SerializeState(waiting));
    ASSERT_EQ(waiting.Size(), expected.Size());
    EXPECT_EQ(std::memcmp(waiting.Data(), expected.Data(), static_cast<size_t>(expected.Size())), 0);

    played.Dispatch(effMainsChanged, 0, 0);
    for (int index = 0; index < kWorkingParamCount; ++index)
        EXPECT_EQ(played.plugin.CurrentValues().Get(index), fresh.plugin.CurrentValues().Get(index)) << "parameter " << index;
    StateChunk applied;
    ASSERT_TRUE(played.plugin.SerializeState(applied));
    ASSERT_EQ(applied.Size(), expected.Size());
    EXPECT_EQ(std::memcmp(applied.Data(), expected.Data(), static_cast<size_t>(expected.Size())), 0);
}

// Every factory program with the reducer on, at block sizes from 1 to 4096 frames.
TEST(Transitions, ReducerProgramsSoundTheSameAtAnyBlockSize)
{
    constexpr int kToneFrames = 6000;
    const Signal tone = Sine(kToneFrames, 1000.0, kRate, 0.5);
    int reducerPrograms = 0;
    for (int program = 0; program < 128; ++program)
    {
        std::vector<Signal> renders;
        for (const int block : {4096, 512, 64, 7, 1})
        {
            PluginRig rig(block, nullptr, kRate);
            rig.Dispatch(effSetProgram, 0, program);
            if (rig.plugin.GetParam(kParamSampleRateReduction)->GetNormalized() >= 1.0)
                break;
            // The random shaper waveform draws from the process-wide generator.
            SharedRandom::Seed(1);
            renders.push_back(RenderAtEntry(rig, tone, block));
        }
        if (renders.empty())
            continue;
        ++reducerPrograms;
        for (size_t k = 1; k < renders.size(); ++k)
            for (int i = 0; i < kToneFrames; ++i)
                ASSERT_NEAR(renders[k][static_cast<size_t>(i)], renders[0][static_cast<size_t>(i)], 1e-10)
                    << "program " << program << ", render " << k << ", frame " << i;
    }
    EXPECT_GT(reducerPrograms, 0);
}

} // namespace
