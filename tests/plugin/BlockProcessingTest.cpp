#include "dsp/units/curves/CurveActions.h"
#include "framework/vst2/Vst2Constants.h"
#include "tests/plugin/PluginRig.h"
#include "tests/vst2/FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace
{
constexpr double kClamp = 3.1622776601683795;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kPoison = 12345.0;

// Everything that makes the wet signal differ from the input, at full strength.
void TurnEverythingOn(PluginRig& rig)
{
    rig.Set(kParamDistortionAmount, 0.9);
    rig.Set(kParamDistortionType, 22.0 / 80.0);
    rig.Set(kParamPreFilterProcess, 1.0);
    rig.Set(kParamInputSaturation, 0.5);
    rig.Set(kParamShaperAmount, 0.6);
    rig.Set(kParamFilterDrive, 0.4);
    rig.Set(kParamFilterCutoff, 0.6);
    rig.Set(kParamFilterResonance, 0.5);
    rig.Set(kParamSubBandSaturation, 0.7);
    rig.Set(kParamSubBandDistortion, 0.6);
    rig.Set(kParamOutputSaturation, 0.5);
    rig.Set(kParamHqFilter, 1.0);
    rig.Set(kParamOutputSweep, 0.6);
}

// Oversampled, the dry signal makes the round trips that the wet one makes by the mix (input
// stage, both chains, output saturator), then the limiter's, which runs while the limiter is
// off too; the output guard clamps what the filters' ringing lifts above +10 dB.
StereoSignal ThroughOversampledPath(const StereoSignal& input)
{
    const auto frames = static_cast<int32_t>(input.left.size());
    StereoSignal expected = input;
    double* const io[2] = {expected.left.data(), expected.right.data()};
    std::array<Oversampler, 5> roundTrips;
    for (Oversampler& roundTrip : roundTrips)
    {
        roundTrip.Prepare(PluginRig::kRate, static_cast<uint32_t>(frames));
        roundTrip.RoundTrip(io, frames);
    }
    for (Signal* channel : {&expected.left, &expected.right})
        for (double& sample : *channel)
            sample = std::clamp(sample, -kClamp, kClamp);
    return expected;
}

TEST(BlockProcessing, WithoutDryWetLimiterAndVolumeTheOutputIsTheInput)
{
    for (bool oversampling : {false, true})
    {
        PluginRig rig;
        TurnEverythingOn(rig);
        rig.Set(kParamHqFilter, 0.0);
        rig.Set(kParamOversampling, oversampling ? 1.0 : 0.0);
        rig.SetIdentity();
        const StereoSignal input = MakeNoise(3000, 1.5);
        const StereoSignal output = rig.Render(input, PluginRig::kBlock);
        const StereoSignal expected = oversampling ? ThroughOversampledPath(input) : input;
        EXPECT_EQ(output.left, expected.left) << oversampling;
        EXPECT_EQ(output.right, expected.right) << oversampling;
    }
}

TEST(BlockProcessing, OutputGuardZeroesNonFiniteSamplesAndClampsTheRest)
{
    const struct
    {
        double in;
        double out;
    } cases[] = {{kNaN, 0.0}, {kInfinity, 0.0}, {-kInfinity, 0.0}, {5.0, kClamp}, {-5.0, -kClamp}, {0.25, 0.25}};
    PluginRig rig;
    rig.SetIdentity();
    // With an editor, setting the output volume asks for a meter reset; a first block takes it up.
    rig.Render(MakeNoise(1, 0.0), 1);
    StereoSignal input;
    for (const auto& c : cases)
        input.left.push_back(c.in);
    input.right = input.left;
    const StereoSignal output = rig.Render(input, PluginRig::kBlock);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(output.left[i], cases[i].out) << "input " << cases[i].in;
    EXPECT_EQ(rig.plugin.PeakHold(0), kClamp);
    EXPECT_EQ(rig.plugin.PeakHold(1), kClamp);
}

// Settled on "bypass all", the effect path stands still while the tail still runs.
TEST(BlockProcessing, BypassAllSettledRunsOnlyTheTail)
{
    PluginRig rig;
    TurnEverythingOn(rig);
    rig.Set(kParamBypassAll, 1.0);
    const StereoSignal input = MakeNoise(PluginRig::kBlock, 0.5);
    for (int block = 0; block < 8; ++block)
        rig.Render(input, PluginRig::kBlock);

    ProcessingUnits& units = rig.plugin.Units();
    const double distortionState = units.hostRate.chain1.distortion.smoothedAmount;
    const double filterBalance = units.filter.Balance();
    rig.Set(kParamOutputSaturation, 0.9);
    const double saturatorState = units.hostRate.outputSaturator.amountState;
    const StereoSignal output = rig.Render(input, PluginRig::kBlock);

    EXPECT_EQ(units.hostRate.chain1.distortion.smoothedAmount, distortionState);
    EXPECT_EQ(units.filter.Balance(), filterBalance);
    EXPECT_NE(units.hostRate.outputSaturator.amountState, saturatorState);
    EXPECT_NE(output.left, input.left);
}

TEST(BlockProcessing, MissingChannelsPlaySilenceOrAreDiscarded)
{
    const StereoSignal input = MakeNoise(64, 0.5);
    double* inLeft = const_cast<double*>(input.left.data());
    double* inRight = const_cast<double*>(input.right.data());
    const Signal silence(64, 0.0);
    const struct
    {
        const char* name;
        double* in[2];
        bool hasInputs;
        bool hasOutputs;
        const Signal* left;
        const Signal* right;
    } cases[] = {
        {"stereo", {inLeft, inRight}, true, true, &input.left, &input.right},
        {"no input array", {nullptr, nullptr}, false, true, &silence, &silence},
        {"both inputs null", {nullptr, nullptr}, true, true, &silence, &silence},
        {"left only feeds both", {inLeft, nullptr}, true, true, &input.left, &input.left},
        {"right only feeds both", {nullptr, inRight}, true, true, &input.right, &input.right},
        {"no output array", {inLeft, inRight}, true, false, nullptr, nullptr},
    };
    for (const auto& c : cases)
    {
        PluginRig rig;
        rig.SetIdentity();
        Signal left(64, kPoison);
        Signal right(64, kPoison);
        double* in[2] = {c.in[0], c.in[1]};
        double* out[2] = {left.data(), right.data()};
        rig.plugin.ProcessBlock(c.hasInputs ? in : nullptr, c.hasOutputs ? out : nullptr, 64);
        if (!c.hasOutputs)
        {
            EXPECT_EQ(left, Signal(64, kPoison)) << c.name;
            continue;
        }
        EXPECT_EQ(left, *c.left) << c.name;
        EXPECT_EQ(right, *c.right) << c.name;
    }
}

TEST(BlockProcessing, NullOutputChannelIsSkipped)
{
    PluginRig rig;
    rig.SetIdentity();
    const StereoSignal input = MakeNoise(64, 0.5);
    Signal left(64, kPoison);
    double* in[2] = {const_cast<double*>(input.left.data()), const_cast<double*>(input.right.data())};
    double* out[2] = {left.data(), nullptr};
    rig.plugin.ProcessBlock(in, out, 64);
    EXPECT_EQ(left, input.left);
}

// Hosts may hand the same buffers in and out; the sub-band path still reads the input.
TEST(BlockProcessing, InPlaceProcessingGivesTheSameResult)
{
    const StereoSignal input = MakeNoise(2048, 0.8);
    PluginRig separate;
    PluginRig inPlace;
    for (PluginRig* rig : {&separate, &inPlace})
    {
        TurnEverythingOn(*rig);
        rig->Set(kParamSubBandGain, 1.0);
    }
    const StereoSignal expected = separate.Render(input, PluginRig::kBlock);
    StereoSignal buffers = input;
    for (int offset = 0; offset < 2048; offset += PluginRig::kBlock)
    {
        double* io[2] = {buffers.left.data() + offset, buffers.right.data() + offset};
        inPlace.plugin.ProcessBlock(io, io, PluginRig::kBlock);
    }
    EXPECT_EQ(buffers.left, expected.left);
    EXPECT_EQ(buffers.right, expected.right);
}

// Host blocks of any length, also longer than the prepared size, give one and the same output.
// The filter designs glide to new settings in steps that follow the blocks, so the settings
// are given time to settle first.
TEST(BlockProcessing, BlockLengthDoesNotChangeTheOutput)
{
    const StereoSignal input = MakeNoise(6000, 0.7);
    const StereoSignal silence{Signal(4096, 0.0), Signal(4096, 0.0)};
    const auto render = [&](int hostBlock) {
        PluginRig rig(1024);
        TurnEverythingOn(rig);
        rig.Set(kParamOversampling, 1.0);
        rig.Set(kParamLimiterMode, 2.0 / 3.0);
        rig.Render(silence, 1024);
        return rig.Render(input, hostBlock);
    };
    const StereoSignal reference = render(1024);
    for (int hostBlock : {64, 500, 3000})
    {
        const StereoSignal output = render(hostBlock);
        EXPECT_EQ(output.left, reference.left) << hostBlock;
        EXPECT_EQ(output.right, reference.right) << hostBlock;
    }
}

TEST(BlockProcessing, NothingPlaysUntilBuffersAreSized)
{
    const struct
    {
        const char* name;
        bool prepared;
    } cases[] = {{"never reset", false}, {"reset again with block size 0", true}};
    for (const auto& c : cases)
    {
        Zarvotone& plugin = *new Zarvotone(nullptr);
        AEffect* effect = plugin.GetEffect();
        effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
        if (c.prepared)
        {
            effect->dispatcher(effect, effSetBlockSize, 0, 512, nullptr, 0.0f);
            plugin.SetBlockSize(0);
            plugin.Reset();
        }
        const StereoSignal input = MakeNoise(2000, 0.5);
        Signal left(2000, kPoison);
        Signal right(2000, kPoison);
        double* in[2] = {const_cast<double*>(input.left.data()), const_cast<double*>(input.right.data())};
        double* out[2] = {left.data(), right.data()};
        plugin.ProcessBlock(in, out, 2000);
        EXPECT_EQ(left, Signal(2000, 0.0)) << c.name;
        EXPECT_EQ(right, Signal(2000, 0.0)) << c.name;
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }
}

class Scope : public testing::Test
{
protected:
    void SetUp() override
    {
        rig.plugin.Config().VisibleTab = 1.0;
        rig.SetIdentity();
    }

    PluginRig rig;
    const ScopeBuffer& scope = rig.plugin.Scope();
};

TEST(ScopeDecimation, FollowsRateAndZoom)
{
    const struct
    {
        double zoom;
        int frames;
        uint16_t written;
    } cases[] = {
        // 44100 / 601 = 73.4: every 73rd frame.
        {100.0, 730, 10},
        {50.0, 730, 5},
        // A zoom outside its domain is taken as its default.
        {kNaN, 730, 10},
        {-3.0, 730, 10},
        // So many frames per entry that fewer than one would be skipped: every frame.
        {1e9, 40, 40},
    };
    for (const auto& c : cases)
    {
        PluginRig fresh;
        fresh.plugin.Config().VisibleTab = 1.0;
        fresh.plugin.Config().ScopeZoom = c.zoom;
        fresh.Render(MakeNoise(c.frames, 0.5), c.frames);
        EXPECT_EQ(fresh.plugin.Scope().writeCounter, c.written) << c.zoom;
        EXPECT_EQ(fresh.plugin.Scope().sampleCounter, static_cast<uint32_t>(c.frames)) << c.zoom;
    }
}

TEST_F(Scope, EntriesAverageAFrameWithTheNextOne)
{
    const StereoSignal input = MakeNoise(200, 0.5);
    rig.Render(input, 200);
    const ScopeEntry& second = scope.entries[1];
    EXPECT_EQ(second.inputLeft, (input.left[73] + input.left[74]) * 0.5);
    EXPECT_EQ(second.outputRight, (input.right[73] + input.right[74]) * 0.5);
}

TEST_F(Scope, SingleFrameBlocksAverageNothing)
{
    const StereoSignal input = MakeNoise(1, 0.5);
    rig.Render(input, 1);
    EXPECT_EQ(scope.writeCounter, 1);
    EXPECT_EQ(scope.entries[0].inputLeft, input.left[0]);
    EXPECT_EQ(scope.entries[0].outputRight, input.right[0]);
}

TEST_F(Scope, FrozenScopeKeepsItsEntriesButCountsFrames)
{
    rig.plugin.SetFrozen(true);
    rig.Render(MakeNoise(300, 0.5), 300);
    EXPECT_EQ(scope.writeCounter, 0);
    EXPECT_EQ(scope.sampleCounter, 300u);
}

TEST(BlockProcessing, TabOutsideItsDomainFeedsNeitherScopeNorMeter)
{
    for (double tab : {kNaN, -1.0, 7.0, 1e30})
    {
        PluginRig rig;
        rig.plugin.Config().VisibleTab = tab;
        rig.Render(MakeNoise(300, 0.5), 300);
        EXPECT_EQ(rig.plugin.Scope().sampleCounter, 0u) << tab;
        EXPECT_EQ(rig.plugin.Units().levelMeter.envelopeLeft, 0.0) << tab;
    }
}

TEST(BlockProcessing, AboutTabFeedsTheLevelMeter)
{
    PluginRig rig;
    rig.plugin.Config().VisibleTab = 2.0;
    rig.Render(MakeNoise(300, 0.5), 300);
    EXPECT_GT(rig.plugin.Units().levelMeter.envelopeLeft, 0.0);
    EXPECT_EQ(rig.plugin.Scope().sampleCounter, 0u);
}

std::vector<double> CurvePoints(const DistortionChain& chain)
{
    const DistortionCurve& curve = *chain.distortion.current;
    return {curve.Points(), curve.Points() + curve.count};
}

// A noise action draws random numbers: every chain, at both rates, must end with chain 1's
// curve, the one the state saves.
TEST(CurveRequests, PendingActionWaitsForTheNextBlockAndLeavesOneCurve)
{
    PluginRig rig;
    ProcessingUnits& units = rig.plugin.Units();
    const std::vector<double> before = CurvePoints(units.hostRate.chain1);
    ASSERT_TRUE(rig.plugin.IsProcessingActive());
    rig.plugin.ApplyCurveAction(kAddNoise);
    EXPECT_EQ(CurvePoints(units.hostRate.chain1), before);

    rig.Render(MakeNoise(64, 0.1), 64);
    const std::vector<double> after = CurvePoints(units.hostRate.chain1);
    EXPECT_NE(after, before);
    for (const DistortionChain* chain : units.Chains())
        EXPECT_EQ(CurvePoints(*chain), after);

    rig.Render(MakeNoise(64, 0.1), 64);
    EXPECT_EQ(CurvePoints(units.hostRate.chain1), after);
}

TEST(CurveRequests, WhileInactiveActionsApplyAtOnce)
{
    PluginRig rig;
    rig.Dispatch(effMainsChanged, 0, 0);
    ProcessingUnits& units = rig.plugin.Units();
    const std::vector<double> before = CurvePoints(units.hostRate.chain1);
    rig.plugin.ApplyCurveAction(kAddDynamicNoise);
    const std::vector<double> after = CurvePoints(units.hostRate.chain1);
    EXPECT_NE(after, before);
    for (const DistortionChain* chain : units.Chains())
        EXPECT_EQ(CurvePoints(*chain), after);
}

TEST(MeterReset, WhileProcessingTheHoldsClearAtTheNextBlock)
{
    PluginRig rig;
    rig.SetIdentity();
    // With an editor, setting the output volume asks for a meter reset; a first block takes it up.
    rig.Render(MakeNoise(1, 0.0), 1);
    rig.Render(MakeNoise(64, 0.5), 64);
    ASSERT_GT(rig.plugin.PeakHold(0), 0.0);
    rig.plugin.RequestMeterReset();
    EXPECT_GT(rig.plugin.PeakHold(0), 0.0);
    rig.Render(StereoSignal{Signal(64, 0.0), Signal(64, 0.0)}, 64);
    EXPECT_EQ(rig.plugin.PeakHold(0), 0.0);
    EXPECT_EQ(rig.plugin.PeakHold(1), 0.0);

    rig.Render(MakeNoise(64, 0.5), 64);
    rig.Dispatch(effMainsChanged, 0, 0);
    rig.plugin.RequestMeterReset();
    EXPECT_EQ(rig.plugin.PeakHold(0), 0.0);
}

#if defined(__SSE2__)
// The host is asked for its tempo from inside the block, which lets the test see the mode.
TEST(BlockProcessing, DenormalsAreFlushedDuringTheCallOnly)
{
    constexpr uint32_t kFlushBits = 0x8040;
    FakeHost host;
    uint32_t inside = 0;
    host.onCall = [&inside](VstInt32 opcode) {
        if (opcode == audioMasterGetTime)
            inside = _mm_getcsr();
    };
    PluginRig rig(PluginRig::kBlock, &FakeHost::Callback);
    const uint32_t outside = _mm_getcsr();
    ASSERT_EQ(outside & kFlushBits, 0u);
    rig.Render(MakeNoise(64, 0.5), 64);
    EXPECT_EQ(inside & kFlushBits, kFlushBits);
    EXPECT_EQ(_mm_getcsr(), outside);
}
#endif

TEST(BlockProcessing, TempoIsAskedEveryBlock)
{
    FakeHost host;
    host.answerTime = true;
    host.timeInfo.tempo = 133.0;
    host.timeInfo.flags = kVstTempoValid;
    PluginRig rig(PluginRig::kBlock, &FakeHost::Callback);
    EXPECT_EQ(rig.plugin.LastTempo(), 120.0);
    rig.Render(MakeNoise(64, 0.5), 64);
    EXPECT_EQ(rig.plugin.LastTempo(), 133.0);
}
}
