#include "framework/vst2/Vst2Constants.h"
#include "plugin/ParameterTable.h"
#include "tests/plugin/PluginRig.h"
#include "tests/vst2/FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace
{
using Reader = std::function<double(Zarvotone&)>;

struct Case
{
    int index;
    double value;
    const char* field;
    Reader read;
    double expected;
};

double Flag(bool value)
{
    return value ? 1.0 : 0.0;
}

ProcessingUnits& U(Zarvotone& z)
{
    return z.Units();
}

// A silent stereo input and an output of kFrames frames, in the sample type of a host call.
template <class Sample>
struct SilentBlock
{
    static constexpr int kFrames = 64;
    SilentBlock() = default;
    SilentBlock(const SilentBlock&) = delete;
    SilentBlock& operator=(const SilentBlock&) = delete;

    std::vector<Sample> input = std::vector<Sample>(2 * kFrames);
    std::vector<Sample> output = std::vector<Sample>(2 * kFrames);
    Sample* in[2] = {input.data(), input.data() + kFrames};
    Sample* out[2] = {output.data(), output.data() + kFrames};
};

// The stages held at both rates must take every setting alike: the cases read through R run
// once for each rate.
bool gReadOversampled = false;

RateStages& R(Zarvotone& z)
{
    return z.Units().Stages(gReadOversampled);
}

// Parameters that the block routine reads from the program values itself.
constexpr int kBlockRoutineParams[] = {kParamBypassAll, kParamPan, kParamOversampling, kParamDryWet, kParamVolume};

// What each parameter sets in the units, with the conversions of each row: every parameter that
// a unit takes has a row, so one that the parameter table lists under the wrong change kind,
// and that the handler therefore hands to no unit, fails its row.
std::vector<Case> UnitCases()
{
    return {
        {0, 0.3, "input gain", [](Zarvotone& z) { return R(z).input.gainTarget; }, 0.3},
        {1, 0.7, "input offset", [](Zarvotone& z) { return R(z).input.offsetSetting; }, 0.7},
        {2, 0.4, "input saturation", [](Zarvotone& z) { return R(z).input.saturator.amount; }, 0.4},
        {3, 1.0, "input saturation drive", [](Zarvotone& z) { return R(z).input.saturator.drive; }, 10.777},
        {3, 0.0, "input saturation drive", [](Zarvotone& z) { return R(z).input.saturator.drive; }, 2.5},
        {4, 0.5, "input channel mode", [](Zarvotone& z) { return double(R(z).input.channelMode); }, 2},
        {4, 1.0, "input channel mode", [](Zarvotone& z) { return double(R(z).input.channelMode); }, 4},
        {5, 0.0, "bits, chain 1", [](Zarvotone& z) { return R(z).chain1.quantizer.bits; }, 1.0},
        {5, 0.0, "levels, chain 3", [](Zarvotone& z) { return U(z).chain3.quantizer.factor; }, 2.0},
        {5, 0.5, "amount, chain 2", [](Zarvotone& z) { return R(z).chain2.quantizer.amount; }, 0.25},
        {5, 0.5, "bits, chain 2", [](Zarvotone& z) { return R(z).chain2.quantizer.bits; }, 16.75},
        {5, 1.0, "amount, chain 1", [](Zarvotone& z) { return R(z).chain1.quantizer.amount; }, 1.0},
        {5, 1.0, "bits, chain 3", [](Zarvotone& z) { return U(z).chain3.quantizer.bits; }, 64.0},
        {6, 0.5, "reducer ratio, chain 3", [](Zarvotone& z) { return U(z).chain3.reducer.ratio; }, 0.125},
        {7, 0.5, "gate threshold, chain 2", [](Zarvotone& z) { return R(z).chain2.gate.target; }, 0.0625},
        {8, 0.0, "distortion off, chain 2", [](Zarvotone& z) { return Flag(R(z).chain2.distortion.bypassed); }, 1},
        {8, 0.0, "quantiser off, chain 3", [](Zarvotone& z) { return Flag(U(z).chain3.quantizer.bypassed); }, 1},
        {8, 0.0, "shaper off, chain 1", [](Zarvotone& z) { return Flag(R(z).chain1.shaper.bypassed); }, 1},
        {8, 0.0, "reducer off, chain 1", [](Zarvotone& z) { return Flag(R(z).chain1.reducer.bypassed); }, 1},
        {8, 1e-9, "distortion on, chain 1", [](Zarvotone& z) { return Flag(R(z).chain1.distortion.bypassed); }, 0},
        {9, 0.6, "amount, chain 1", [](Zarvotone& z) { return R(z).chain1.distortion.amount; }, 0.6},
        {9, 0.6, "amount, chain 2", [](Zarvotone& z) { return R(z).chain2.distortion.amount; }, 0.6},
        {9, 0.6, "amount, chain 3 untouched", [](Zarvotone& z) { return U(z).chain3.distortion.amount; }, 0.0},
        {10, 1.0, "curve, chain 3", [](Zarvotone& z) { return double(U(z).chain3.distortion.currentId); }, 80},
        {10, 0.5, "curve, chain 1", [](Zarvotone& z) { return double(R(z).chain1.distortion.currentId); }, 40},
        {11, 1.0, "mode, chain 2", [](Zarvotone& z) { return double(R(z).chain2.distortion.mode); }, 2},
        {12, 0.5, "interpolation, chain 3",
         [](Zarvotone& z) { return double(U(z).chain3.distortion.current->interpolation); }, 2},
        {13, 1.0, "polarity, chain 1", [](Zarvotone& z) { return double(R(z).chain1.distortion.current->polarity); },
         2},
        {14, 0.5, "drive level, chain 1", [](Zarvotone& z) { return double(R(z).chain1.distortion.filterMode); }, 1},
        {15, 0.0, "drive level, chain 2", [](Zarvotone& z) { return double(R(z).chain2.distortion.filterMode); }, 0},
        {16, 0.5, "shaper amount, chain 3", [](Zarvotone& z) { return U(z).chain3.shaper.amount; }, 0.25},
        {17, 1.0, "shaper width, chain 1", [](Zarvotone& z) { return R(z).chain1.shaper.width; }, 0.777},
        {18, 0.1, "shaper invert, chain 2", [](Zarvotone& z) { return Flag(R(z).chain2.shaper.invert); }, 1},
        {19, 1.0, "shaper waveform, chain 3", [](Zarvotone& z) { return double(U(z).chain3.shaper.waveform); }, 8},
        {20, 2.0 / 3.0, "shaper mode, chain 1", [](Zarvotone& z) { return double(R(z).chain1.shaper.mode); }, 2},
        {21, 0.5, "shaper polarity, chain 2", [](Zarvotone& z) { return double(R(z).chain2.shaper.polarity); }, 1},
        {22, 0.0, "filter off", [](Zarvotone& z) { return Flag(U(z).filter.bypassed); }, 1},
        {22, 0.001, "filter on", [](Zarvotone& z) { return Flag(U(z).filter.bypassed); }, 0},
        {23, 0.5, "filter drive", [](Zarvotone& z) { return U(z).filter.saturator.amount; }, 0.5},
        {24, 0.25, "filter balance", [](Zarvotone& z) { return U(z).filter.BalanceTarget(); }, 0.25},
        {25, 0.0, "cutoff floor", [](Zarvotone& z) { return U(z).filter.Cutoff(); }, 20.0},
        {25, 1.0, "cutoff ceiling", [](Zarvotone& z) { return U(z).filter.Cutoff(); }, 21000.0},
        {26, 0.3, "resonance", [](Zarvotone& z) { return U(z).filter.Resonance(); }, 0.3},
        {27, 0.5, "filter 1 type", [](Zarvotone& z) { return double(U(z).filter.FilterType(0)); }, 15},
        {28, 1.0, "filter 2 type", [](Zarvotone& z) { return double(U(z).filter.FilterType(1)); }, 30},
        {29, 0.0, "slow transition", [](Zarvotone& z) { return double(U(z).filter.TransitionLength()); }, 2048},
        {29, 0.5, "medium transition", [](Zarvotone& z) { return double(U(z).filter.TransitionLength()); }, 512},
        {29, 1.0, "fast transition", [](Zarvotone& z) { return double(U(z).filter.TransitionLength()); }, 256},
        {30, 0.0, "disto-band EQ off", [](Zarvotone& z) { return Flag(U(z).distoEq.bypassed); }, 1},
        {31, 0.75, "disto-band bass", [](Zarvotone& z) { return U(z).distoEq.GetBassGain(); }, 12.0},
        {32, 0.25, "disto-band low mid", [](Zarvotone& z) { return U(z).distoEq.GetLowMidGain(); }, -12.0},
        {33, 1.0, "disto-band high mid", [](Zarvotone& z) { return U(z).distoEq.GetHighMidGain(); }, 24.0},
        {34, 0.0, "disto-band high", [](Zarvotone& z) { return U(z).distoEq.GetHighGain(); }, -24.0},
        {35, 0.0, "sub band off", [](Zarvotone& z) { return Flag(U(z).subBand.bypassed); }, 1},
        {36, 0.25, "sub-band channel mode", [](Zarvotone& z) { return double(U(z).subBand.channelMode); }, 1},
        {37, 0.4, "sub-band gain", [](Zarvotone& z) { return U(z).subBand.subGain; }, 0.4},
        {38, 0.3, "sub-band saturation", [](Zarvotone& z) { return U(z).subBand.saturator.amount; }, 0.3},
        {39, 0.5, "sub-band saturation drive", [](Zarvotone& z) { return U(z).subBand.saturator.drive; }, 5.0},
        {40, 0.8, "sub-band distortion, chain 3", [](Zarvotone& z) { return U(z).chain3.distortion.amount; }, 0.8},
        {40, 0.8, "chain 1 untouched", [](Zarvotone& z) { return R(z).chain1.distortion.amount; }, 0.0},
        {41, 0.0, "sub-band EQ off", [](Zarvotone& z) { return Flag(U(z).subBand.equaliser.bypassed); }, 1},
        {42, 0.75, "sub-band bass", [](Zarvotone& z) { return U(z).subBand.equaliser.GetBassGain(); }, 12.0},
        {43, 0.25, "sub-band mid", [](Zarvotone& z) { return U(z).subBand.equaliser.GetLowMidGain(); }, -12.0},
        {44, 1.0, "sub-band high mid", [](Zarvotone& z) { return U(z).subBand.equaliser.GetHighMidGain(); }, 24.0},
        {45, 0.0, "sub-band high", [](Zarvotone& z) { return U(z).subBand.equaliser.GetHighGain(); }, -24.0},
        {46, 0.5, "link off at one half", [](Zarvotone& z) { return Flag(U(z).subBand.splitter.link); }, 0},
        {46, 0.51, "link on above", [](Zarvotone& z) { return Flag(U(z).subBand.splitter.link); }, 1},
        {47, 0.6, "sub-band split", [](Zarvotone& z) { return U(z).subBand.splitter.lowSplit; }, 0.6},
        {48, 1.0, "sub-band slope", [](Zarvotone& z) { return double(U(z).subBand.splitter.lowSlope); }, 3},
        {49, 0.3, "disto-band split", [](Zarvotone& z) { return U(z).subBand.splitter.highSplit; }, 0.3},
        {50, 1.0 / 3.0, "disto-band slope", [](Zarvotone& z) { return double(U(z).subBand.splitter.highSlope); }, 1},
        {51, 0.2, "disto-band gain", [](Zarvotone& z) { return U(z).subBand.distoGain; }, 0.2},
        {54, 0.6, "output saturation", [](Zarvotone& z) { return R(z).outputSaturator.amount; }, 0.6},
        {55, 1.0, "output saturation drive", [](Zarvotone& z) { return R(z).outputSaturator.drive; }, 10.777},
        {55, 0.0, "output saturation drive", [](Zarvotone& z) { return R(z).outputSaturator.drive; }, 2.5},
        {56, 1.0, "output filter mode", [](Zarvotone& z) { return double(U(z).outputFilter.mode); }, 2},
        {56, 0.4, "output filter mode", [](Zarvotone& z) { return double(U(z).outputFilter.mode); }, 1},
        {57, 0.25, "output sweep", [](Zarvotone& z) { return U(z).outputSweep.AmountTarget(); }, 0.25},
        {58, 0.6, "output sweep slope", [](Zarvotone& z) { return double(U(z).outputSweep.WantedSlope()); }, 1},
        {59, 1.0, "limiter level", [](Zarvotone& z) { return R(z).limiter.threshold; }, 1.0},
        {60, 1.0, "limiter mode", [](Zarvotone& z) { return double(R(z).limiter.mode); }, 3},
        {60, 0.0, "limiter off", [](Zarvotone& z) { return double(R(z).limiter.mode); }, 0},
        {64, 0.5, "make-up off at one half", [](Zarvotone& z) { return Flag(R(z).limiter.makeUpOn); }, 0},
        {64, 0.6, "make-up on above", [](Zarvotone& z) { return Flag(R(z).limiter.makeUpOn); }, 1},
    };
}

// Every parameter is a unit's, with a row above, or the block routine's, or reserved: the rows
// then catch any parameter that its change kind keeps from its unit.
TEST(ParamApplication, EveryParameterIsAppliedSomewhere)
{
    std::set<int> withRow;
    for (const Case& c : UnitCases())
        withRow.insert(c.index);
    for (int index = 0; index < kTotalParamCount; ++index)
    {
        const bool blockRoutine = std::find(std::begin(kBlockRoutineParams), std::end(kBlockRoutineParams), index) !=
                                  std::end(kBlockRoutineParams);
        const bool reserved = index >= kFirstReservedParam;
        EXPECT_EQ(ChangeKindOf(index) == ChangeKind::kFeedsNothing, reserved) << index;
        EXPECT_EQ(withRow.count(index) + (blockRoutine ? 1 : 0) + (reserved ? 1 : 0), 1u) << index;
    }
}

TEST(ParamApplication, EachParameterSetsItsUnitField)
{
    for (const Case& c : UnitCases())
    {
        PluginRig rig;
        rig.Set(c.index, c.value);
        for (const bool oversampled : {false, true})
        {
            gReadOversampled = oversampled;
            EXPECT_NEAR(c.read(rig.plugin), c.expected, 1e-12)
                << "parameter " << c.index << " = " << c.value << ": " << c.field << (oversampled ? ", oversampled" : "");
        }
        gReadOversampled = false;
        EXPECT_EQ(rig.plugin.CurrentValues().Get(c.index), rig.plugin.GetParam(c.index)->Value()) << c.index;
    }
}

TEST(ParamApplication, CutoffFollowsTheLibraryFrequencyScale)
{
    const struct
    {
        double value;
        double hz;
    } cases[] = {{0.0, 20.0}, {0.5, 469.47}, {0.75, 3216.69}, {1.0, 21000.0}, {0.1, 21.59}};
    PluginRig rig;
    for (const auto& c : cases)
    {
        rig.Set(kParamFilterCutoff, c.value);
        EXPECT_NEAR(rig.plugin.Units().filter.Cutoff(), c.hz, 0.01) << c.value;
    }
}

// Parameters the block routine reads itself only land in the program values.
TEST(ParamApplication, BlockRoutineParametersOnlyStoreTheirValue)
{
    for (int index : kBlockRoutineParams)
    {
        PluginRig rig;
        rig.Set(index, 0.3);
        EXPECT_EQ(rig.plugin.CurrentValues().Get(index), 0.3) << index;
    }
}

TEST(ParamApplication, ReservedParametersTouchNothing)
{
    PluginRig rig;
    std::vector<double> before;
    for (int i = 0; i < kWorkingParamCount; ++i)
        before.push_back(rig.plugin.CurrentValues().Get(i));
    for (int index = kFirstReservedParam; index < kTotalParamCount; ++index)
        rig.Set(index, 0.77);
    for (int i = 0; i < kWorkingParamCount; ++i)
        EXPECT_EQ(rig.plugin.CurrentValues().Get(i), before[static_cast<size_t>(i)]) << i;
}

// A value that is no number falls back to the parameter's default before any unit sees it.
TEST(ParamApplication, NonFiniteValuesReachNoUnit)
{
    const double minusInfinity = -std::numeric_limits<double>::infinity();
    const struct
    {
        int index;
        Reader read;
        double expected;
    } cases[] = {
        {kParamInputVolume, [](Zarvotone& z) { return R(z).input.gainTarget; }, 1.0},
        {kParamFilterCutoff, [](Zarvotone& z) { return U(z).filter.Cutoff(); }, 21000.0},
        {kParamLimiterLevel, [](Zarvotone& z) { return R(z).limiter.threshold; }, 0.7079457843841379},
    };
    for (const auto& c : cases)
    {
        PluginRig rig;
        rig.plugin.SetParamFromEditor(c.index, minusInfinity);
        EXPECT_EQ(c.read(rig.plugin), c.expected) << c.index;
        EXPECT_TRUE(std::isfinite(rig.plugin.GetParam(c.index)->Value())) << c.index;
        EXPECT_TRUE(std::isfinite(rig.plugin.CurrentValues().Get(c.index))) << c.index;
    }
}

class BandLink : public testing::Test
{
protected:
    std::vector<HostCall> AutomationOf(int index) const
    {
        std::vector<HostCall> found;
        for (const HostCall& call : host.calls)
            if (call.opcode == audioMasterAutomate && call.index == index)
                found.push_back(call);
        return found;
    }

    // What the host has heard by its next idle call, which is one of the plug-in's own moments.
    std::vector<HostCall> AutomationAfterIdle(int index)
    {
        rig.Dispatch(effEditIdle);
        return AutomationOf(index);
    }

    FakeHost host;
    PluginRig rig{PluginRig::kBlock, &FakeHost::Callback};
    Wezmark::BandSplitFilter& splitter = rig.plugin.Units().subBand.splitter;
};

TEST_F(BandLink, LinkedCutoffMirrorsItsPartner)
{
    const struct
    {
        int moved;
        int mirrored;
    } cases[] = {{kParamSubBandCutoff, kParamDistoBandCutoff}, {kParamDistoBandCutoff, kParamSubBandCutoff}};
    rig.Set(kParamBandLink, 1.0);
    for (const auto& c : cases)
    {
        host.calls.clear();
        rig.Set(c.moved, 0.6);
        EXPECT_EQ(splitter.lowSplit, 0.6) << c.moved;
        EXPECT_EQ(splitter.highSplit, 0.6) << c.moved;
        EXPECT_EQ(rig.plugin.CurrentValues().Get(c.mirrored), 0.6) << c.moved;
        EXPECT_EQ(rig.plugin.GetParam(c.mirrored)->Value(), 0.6) << c.moved;
        const auto reported = AutomationAfterIdle(c.mirrored);
        ASSERT_EQ(reported.size(), 1u) << c.moved;
        EXPECT_EQ(reported[0].opt, 0.6f) << c.moved;
        rig.Set(c.moved, 0.3);
    }
}

TEST_F(BandLink, UnlinkedCutoffsMoveAlone)
{
    rig.Set(kParamBandLink, 0.0);
    host.calls.clear();
    rig.Set(kParamSubBandCutoff, 0.6);
    EXPECT_EQ(splitter.lowSplit, 0.6);
    EXPECT_NE(splitter.highSplit, 0.6);
    EXPECT_NE(rig.plugin.CurrentValues().Get(kParamDistoBandCutoff), 0.6);
    EXPECT_TRUE(AutomationAfterIdle(kParamDistoBandCutoff).empty());
}

TEST_F(BandLink, SwitchingTheLinkOnCopiesTheSubBandCutoff)
{
    rig.Set(kParamBandLink, 0.0);
    rig.Set(kParamSubBandCutoff, 0.2);
    rig.Set(kParamDistoBandCutoff, 0.7);
    host.calls.clear();
    rig.Set(kParamBandLink, 1.0);
    EXPECT_EQ(splitter.lowSplit, 0.2);
    EXPECT_EQ(splitter.highSplit, 0.2);
    EXPECT_EQ(rig.plugin.GetParam(kParamDistoBandCutoff)->Value(), 0.2);
    EXPECT_EQ(rig.plugin.GetParam(kParamSubBandCutoff)->Value(), 0.2);
    EXPECT_EQ(AutomationAfterIdle(kParamDistoBandCutoff).size(), 1u);
}

// Loading a bank or a program is no automation, the linked cutoffs included: a host writing
// automation would record the load as moves. The host is asked only to read the values again.
TEST_F(BandLink, ChunkLoadsTellTheHostOnlyToUpdateItsDisplay)
{
    rig.Set(kParamBandLink, 1.0);
    rig.Set(kParamSubBandCutoff, 0.6);
    AEffect* effect = rig.plugin.GetEffect();
    for (const VstInt32 index : {0, 1})
    {
        void* data = nullptr;
        const VstIntPtr size = effect->dispatcher(effect, effGetChunk, index, 0, &data, 0.0f);
        ASSERT_GT(size, 0) << index;
        const std::vector<uint8_t> saved(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
        rig.Set(kParamSubBandCutoff, 0.2);
        host.calls.clear();
        ASSERT_EQ(effect->dispatcher(effect, effSetChunk, index, size, const_cast<uint8_t*>(saved.data()), 0.0f), 1)
            << index;
        EXPECT_EQ(rig.plugin.GetParam(kParamDistoBandCutoff)->Value(), 0.6) << index;
        ASSERT_EQ(host.calls.size(), 1u) << index;
        EXPECT_EQ(host.calls[0].opcode, audioMasterUpdateDisplay) << index;
    }
}

// Hosts may not expect a call from inside their own calls: a host call that moves the linked
// partner calls nothing back, and the partner's move reaches the host at the plug-in's next
// moment of its own, once, at the value it then has.
TEST_F(BandLink, ThePartnersMoveWaitsForAMomentOfThePluginsOwn)
{
    AEffect* effect = rig.plugin.GetEffect();
    SilentBlock<float> floats;
    SilentBlock<double> doubles;
    using Call = std::function<void()>;
    const Call block = [&] { effect->processReplacing(effect, floats.in, floats.out, floats.kFrames); };
    const Call doubleBlock = [&] { effect->processDoubleReplacing(effect, doubles.in, doubles.out, doubles.kFrames); };
    const Call accumulatingBlock = [&] { effect->process(effect, floats.in, floats.out, floats.kFrames); };
    char text[] = "0.45";
    const Call setSubBandCutoff = [&] { effect->setParameter(effect, kParamSubBandCutoff, 0.6f); };
    const struct
    {
        const char* name;
        bool unlinkedApart;
        Call move;
        Call moment;
        int partner;
        float told;
    } cases[] = {
        {"setParameter, then a block", false, setSubBandCutoff, block, kParamDistoBandCutoff, 0.6f},
        {"the other cutoff", false, [&] { effect->setParameter(effect, kParamDistoBandCutoff, 0.7f); }, block,
         kParamSubBandCutoff, 0.7f},
        {"a text", false,
         [&] { effect->dispatcher(effect, effString2Parameter, kParamSubBandCutoff, 0, text, 0.0f); }, block,
         kParamDistoBandCutoff, 0.45f},
        {"switching the link on", true, [&] { effect->setParameter(effect, kParamBandLink, 1.0f); }, block,
         kParamDistoBandCutoff, 0.2f},
        {"a double block", false, setSubBandCutoff, doubleBlock, kParamDistoBandCutoff, 0.6f},
        {"an accumulating block", false, setSubBandCutoff, accumulatingBlock, kParamDistoBandCutoff, 0.6f},
        {"the editor's idle call", false, setSubBandCutoff, [&] { rig.Dispatch(effEditIdle); },
         kParamDistoBandCutoff, 0.6f},
        {"an idle call", false, setSubBandCutoff, [&] { rig.Dispatch(effIdle); }, kParamDistoBandCutoff, 0.6f},
    };
    for (const auto& c : cases)
    {
        // Both cutoffs at 0.2, linked; or unlinked and apart.
        rig.Set(kParamBandLink, c.unlinkedApart ? 0.0 : 1.0);
        rig.Set(kParamSubBandCutoff, 0.2);
        rig.Set(kParamDistoBandCutoff, c.unlinkedApart ? 0.9 : 0.2);
        rig.Dispatch(effEditIdle);
        host.calls.clear();
        c.move();
        EXPECT_TRUE(host.calls.empty()) << c.name;
        c.moment();
        const auto told = AutomationOf(c.partner);
        ASSERT_EQ(told.size(), 1u) << c.name;
        EXPECT_EQ(told[0].opt, c.told) << c.name;
        c.moment();
        EXPECT_EQ(AutomationOf(c.partner).size(), 1u) << c.name << ": told once";
    }
}

// An edit in the editor is no host call: the host hears of the partner at once, after the edit.
TEST_F(BandLink, AnEditorEditTellsThePartnerAtOnce)
{
    rig.Set(kParamBandLink, 1.0);
    rig.Dispatch(effEditIdle);
    host.calls.clear();
    rig.plugin.SetParamFromEditor(kParamSubBandCutoff, 0.6);
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[0].index, kParamSubBandCutoff);
    EXPECT_EQ(host.calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(host.calls[1].index, kParamDistoBandCutoff);
    EXPECT_EQ(host.calls[1].opt, 0.6f);
}

// The oversampled path's delay is the other news a host call can bring: the effect record holds
// the new delay at once, and the host is told to read it again at the plug-in's next moment of
// its own, once; an editor edit tells it at once.
TEST(LatencyNews, AHostCallThatChangesTheDelayCallsNothingBack)
{
    FakeHost host;
    PluginRig rig{PluginRig::kBlock, &FakeHost::Callback};
    AEffect* effect = rig.plugin.GetEffect();
    SilentBlock<float> floats;
    using Call = std::function<void()>;
    const Call block = [&] { effect->processReplacing(effect, floats.in, floats.out, floats.kFrames); };
    const Call idle = [&] { rig.Dispatch(effEditIdle); };
    const struct
    {
        const char* name;
        Call moment;
        bool fromTheEditor;
    } cases[] = {
        {"setParameter, then a block", block, false},
        {"setParameter, then an idle call", idle, false},
        {"an editor edit", idle, true},
    };
    for (const auto& c : cases)
    {
        for (const float oversampling : {1.0f, 0.0f})
        {
            idle();
            host.calls.clear();
            if (c.fromTheEditor)
                rig.plugin.SetParamFromEditor(kParamOversampling, oversampling);
            else
                effect->setParameter(effect, kParamOversampling, oversampling);
            EXPECT_EQ(effect->initialDelay > 0, oversampling > 0.0f) << c.name;
            EXPECT_EQ(host.CountOf(audioMasterIOChanged), c.fromTheEditor ? 1 : 0) << c.name;
            c.moment();
            c.moment();
            EXPECT_EQ(host.CountOf(audioMasterIOChanged), 1) << c.name << ", " << oversampling;
        }
    }
}

// A host that answers the news by setting the partner to the value it was told moves nothing
// further, so nothing goes back and forth block after block.
TEST_F(BandLink, AHostThatSetsTheToldValueEndsTheExchange)
{
    AEffect* effect = rig.plugin.GetEffect();
    rig.Set(kParamBandLink, 1.0);
    rig.Dispatch(effEditIdle);
    host.onCall = [&](VstInt32 opcode) {
        if (opcode == audioMasterAutomate)
            effect->setParameter(effect, host.calls.back().index, host.calls.back().opt);
    };
    host.calls.clear();
    effect->setParameter(effect, kParamSubBandCutoff, 0.6f);
    SilentBlock<double> doubles;
    for (int block = 0; block < 4; ++block)
        effect->processDoubleReplacing(effect, doubles.in, doubles.out, doubles.kFrames);
    host.onCall = nullptr;
    EXPECT_EQ(AutomationOf(kParamDistoBandCutoff).size(), 1u);
    EXPECT_TRUE(AutomationOf(kParamSubBandCutoff).empty());
}

TEST(MakeUp, RecomputedOnlyWhileSwitchedOn)
{
    PluginRig rig;
    OutputLimiter& limiter = rig.plugin.Units().hostRate.limiter;
    rig.Set(kParamAutoMakeUp, 0.0);
    const double unchanged = limiter.makeUpGain;
    rig.Set(kParamLimiterLevel, 0.3);
    rig.Set(kParamLimiterMode, 1.0);
    EXPECT_EQ(limiter.makeUpGain, unchanged);

    rig.Set(kParamAutoMakeUp, 1.0);
    EXPECT_EQ(limiter.makeUpGain, limiter.MakeUpGainForTarget());
    EXPECT_GT(limiter.makeUpGain, 1.0);
    const double hard = limiter.makeUpGain;
    rig.Set(kParamLimiterMode, 1.0 / 3.0);
    EXPECT_NE(limiter.makeUpGain, hard);
}

// The gain of a setting must not depend on what the limiter did before it was chosen.
TEST(MakeUp, DependsOnTheSettingNotOnThePreviousState)
{
    const auto makeUpAfter = [](double previousLevel, double previousMode) {
        PluginRig rig;
        rig.Set(kParamLimiterLevel, previousLevel);
        rig.Set(kParamLimiterMode, previousMode);
        const StereoSignal loud = MakeNoise(4096, 1.0);
        rig.Render(loud, PluginRig::kBlock);
        rig.Set(kParamAutoMakeUp, 1.0);
        rig.Set(kParamLimiterMode, 2.0 / 3.0);
        rig.Set(kParamLimiterLevel, 0.5);
        return rig.plugin.Units().hostRate.limiter.makeUpGain;
    };
    EXPECT_EQ(makeUpAfter(0.05, 1.0), makeUpAfter(0.95, 1.0 / 3.0));
}
}
