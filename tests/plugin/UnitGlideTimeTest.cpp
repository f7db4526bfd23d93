// The units' own glides and fades last as long at 96 kHz as at 44.1 kHz, and the glides of the
// filter designs, as heard, as long at every rate.
#include "dsp/units/GlideTimes.h"
#include "dsp/units/ProcessingUnitShape.h"
#include "plugin/ParamIndex.h"
#include "plugin/ParameterTable.h"
#include "tests/plugin/GlideSettle.h"
#include "tests/plugin/PluginRig.h"
#include "tests/plugin/Vst2ChangeRender.h"
#include "tests/support/StereoBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

static_assert(UnitLifeCycle<RateStages>);
static_assert(UnitLifeCycle<ProcessingUnits>);

namespace
{

constexpr double kWatchSeconds = 0.01;
constexpr int32_t kPiece = 256;

struct Case
{
    const char* name;
    // Sets the target the unit glides to; runs a piece of the unit; reads where it has got.
    std::function<void(ProcessingUnits&)> start;
    std::function<void(ProcessingUnits&, double* const io[2], int32_t n)> run;
    std::function<double(const ProcessingUnits&)> read;
};

std::vector<Case> Cases()
{
    return {
        {"distortion amount", [](ProcessingUnits& u) { u.hostRate.chain1.distortion.amount = 0.8; },
         [](ProcessingUnits& u, double* const io[2], int32_t n) {
             u.hostRate.chain1.distortion.BeginBlock();
             u.hostRate.chain1.distortion.Process(io, n);
         },
         [](const ProcessingUnits& u) { return u.hostRate.chain1.distortion.smoothedAmount; }},
        {"dynamic shaper amount", [](ProcessingUnits& u) { u.hostRate.chain1.shaper.amount = 0.8; },
         [](ProcessingUnits& u, double* const io[2], int32_t n) { u.hostRate.chain1.shaper.Process(io, n); },
         [](const ProcessingUnits& u) { return u.hostRate.chain1.shaper.smoothed; }},
        {"dynamic shaper presence", [](ProcessingUnits& u) { u.hostRate.chain1.shaper.amount = 0.8; },
         [](ProcessingUnits& u, double* const io[2], int32_t n) { u.hostRate.chain1.shaper.Process(io, n); },
         [](const ProcessingUnits& u) { return u.hostRate.chain1.shaper.presence; }},
        {"input saturation", [](ProcessingUnits& u) { u.hostRate.input.saturator.amount = 0.8; },
         [](ProcessingUnits& u, double* const io[2], int32_t n) {
             u.hostRate.input.saturator.BeginBlock();
             u.hostRate.input.saturator.Process(io, n);
         },
         [](const ProcessingUnits& u) { return u.hostRate.input.saturator.amountState; }},
        {"filter drive", [](ProcessingUnits& u) { u.filter.saturator.amount = 0.8; },
         [](ProcessingUnits& u, double* const io[2], int32_t n) {
             u.filter.saturator.BeginBlock();
             u.filter.saturator.Process(io, n);
         },
         [](const ProcessingUnits& u) { return u.filter.saturator.amountState; }},
        {"limiter threshold", [](ProcessingUnits& u) { u.hostRate.limiter.threshold = 0.2; },
         [](ProcessingUnits& u, double* const io[2], int32_t n) { u.hostRate.limiter.Process(io, io, n); },
         [](const ProcessingUnits& u) { return u.hostRate.limiter.smoothedThreshold; }},
        {"limiter mode crossfade", [](ProcessingUnits& u) { u.hostRate.limiter.mode = OutputLimiter::kModeHard; },
         [](ProcessingUnits& u, double* const io[2], int32_t n) { u.hostRate.limiter.Process(io, io, n); },
         [](const ProcessingUnits& u) { return u.hostRate.limiter.modeFadeLeft; }},
    };
}

double Reached(const Case& c, double rate)
{
    PluginRig rig(PluginRig::kBlock, nullptr, rate);
    ProcessingUnits& units = rig.plugin.Units();
    StereoBuffer block(kPiece, 0.25);
    // One block first, so that a unit that takes its settings at once on its first block has.
    c.run(units, block.Io(), kPiece);
    c.start(units);
    for (int32_t left = GlideTimes::Frames(kWatchSeconds, rate); left > 0; left -= kPiece)
    {
        std::fill(block.left.begin(), block.left.end(), 0.25);
        std::fill(block.right.begin(), block.right.end(), 0.25);
        c.run(units, block.Io(), std::min(left, kPiece));
    }
    return c.read(units);
}

TEST(UnitGlideTimes, EachUnitGlidesAsFarIn10MsAtEveryRate)
{
    for (const Case& c : Cases())
    {
        SCOPED_TRACE(c.name);
        const double tuned = Reached(c, 44100.0);
        EXPECT_NEAR(Reached(c, 96000.0), tuned, 1e-9 + 1e-6 * std::fabs(tuned));
    }
}

// Every glide of a filter design that a parameter starts: the cutoffs, the resonance, the
// band splits, the equalisers' gains and the output sweep.
std::vector<GlideSettle::Change> FilterGlides()
{
    constexpr double kRbjLowPass = 0.0;
    // Each band heard alone, its split on its own.
    const std::vector<std::pair<int, double>> subBandAlone = {
        {kParamSubBandOn, 1.0}, {kParamBandLink, 0.0}, {kParamDistoBandGain, 0.0}};
    const std::vector<std::pair<int, double>> distoBandAlone = {
        {kParamSubBandOn, 1.0}, {kParamBandLink, 0.0}, {kParamSubBandGain, 0.0}};
    std::vector<std::pair<int, double>> wideSubBand = subBandAlone;
    wideSubBand.emplace_back(kParamSubBandCutoff, 1.0);
    return {
        {"filter cutoff closing", kParamFilterCutoff, 1.0, 0.0, {}},
        {"filter cutoff opening", kParamFilterCutoff, 0.3, 0.9, {}},
        {"filter resonance", kParamFilterResonance, 0.0, 1.0, {{kParamFilter1Type, kRbjLowPass}, {kParamFilterCutoff, 0.6}}},
        {"disto-band equaliser", kParamDistoEqHigh, 0.5, 0.0, {}},
        {"sub-band cutoff", kParamSubBandCutoff, 1.0, 0.0, subBandAlone},
        {"disto-band cutoff", kParamDistoBandCutoff, 1.0, 0.0, distoBandAlone},
        {"sub-band equaliser", kParamSubBandEqHigh, 0.5, 0.0, wideSubBand},
        {"output sweep", kParamOutputSweep, 0.5, 0.2, {}},
    };
}

constexpr double kTunedRate = 44100.0;
constexpr std::array kOtherRates = {48000.0, 96000.0, 192000.0};
// Below this the two settled outputs do not differ enough to time anything.
constexpr double kAudibleDistance = 0.01;

// The change times the same at the other rates, to within 1.2 times its time at 44.1 kHz.
void ExpectSameTimeAtEveryRate(const GlideSettle::Change& change, const GlideSettle::Result& tuned)
{
    constexpr double kLargestFactor = 1.2;
    for (double rate : kOtherRates)
    {
        const double seconds = GlideSettle::Measure(change, rate).seconds;
        EXPECT_LT(std::max(seconds / tuned.seconds, tuned.seconds / seconds), kLargestFactor)
            << seconds * 1e3 << " ms at " << rate << " Hz, " << tuned.seconds * 1e3 << " ms at 44.1 kHz";
    }
}

TEST(ParamGlideTimes, FilterGlidesSettleAsFastAtEveryRate)
{
    for (const GlideSettle::Change& change : FilterGlides())
    {
        SCOPED_TRACE(change.name);
        const GlideSettle::Result tuned = GlideSettle::Measure(change, kTunedRate);
        ASSERT_GT(tuned.distance, kAudibleDistance);
        ExpectSameTimeAtEveryRate(change, tuned);
    }
}

// The change tests' starting points, and settings under which the shaper, a resonant filter and
// the limiter are heard.
std::vector<ChangeMeasure::StartingPoint> GlideStartingPoints()
{
    constexpr double kRbjLowPass = 0.0;
    std::vector<ChangeMeasure::StartingPoint> points = ChangeMeasure::StartingPoints();
    points.push_back({"shaper on", {{kParamPreFilterProcess, 1.0}, {kParamShaperAmount, 0.8}}});
    points.push_back({"resonant low pass", {{kParamFilter1Type, kRbjLowPass}, {kParamFilterCutoff, 0.6}}});
    points.push_back({"loud into the limiter", {{kParamInputVolume, 1.0}, {kParamLimiterMode, 1.0}}});
    return points;
}

// Every gliding parameter of the table, timed on the first starting point where a move across
// the middle of its range, or else from one end to the other, is heard.
class EveryGlide : public testing::TestWithParam<int>
{
};

TEST_P(EveryGlide, SettlesAsFastAtEveryRate)
{
    const int index = GetParam();
    if (ChangeKindOf(index) != ChangeKind::kGlides)
        GTEST_SKIP() << "does not glide";
    // The frames the reducer holds fall where its history put them, so a render whose ratio
    // moved never meets one whose ratio stood: there is no settling to time.
    if (index == kParamSampleRateReduction)
        GTEST_SKIP() << "its output never settles onto that of a render without the move";
    SCOPED_TRACE(GetParameterDefinition(index).name);
    for (const ChangeMeasure::StartingPoint& start : GlideStartingPoints())
        for (const auto& [from, to] : {std::pair{0.25, 0.75}, {1.0, 0.0}})
        {
            const GlideSettle::Change change{start.name, index, from, to, start.values};
            const GlideSettle::Result tuned = GlideSettle::Measure(change, kTunedRate);
            if (tuned.distance <= kAudibleDistance)
                continue;
            SCOPED_TRACE(testing::Message() << start.name << ", " << from << " -> " << to);
            ExpectSameTimeAtEveryRate(change, tuned);
            return;
        }
    GTEST_SKIP() << "not heard on the starting points";
}

INSTANTIATE_TEST_SUITE_P(EveryParameter, EveryGlide, testing::Range(0, static_cast<int>(kTotalParamCount)));

} // namespace
