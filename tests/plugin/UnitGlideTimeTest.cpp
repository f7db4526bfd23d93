// The units' own glides and fades last as long at 96 kHz as at 44.1 kHz, and the glides of the
// filter designs, as heard, as long at every rate.
#include "dsp/units/GlideTimes.h"
#include "dsp/units/ProcessingUnitShape.h"
#include "plugin/ParamIndex.h"
#include "tests/plugin/GlideSettle.h"
#include "tests/plugin/PluginRig.h"
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

TEST(ParamGlideTimes, FilterGlidesSettleAsFastAtEveryRate)
{
    constexpr double kTunedRate = 44100.0;
    constexpr std::array kOtherRates = {48000.0, 96000.0, 192000.0};
    // Glides are timed to within this factor of their time at 44.1 kHz.
    constexpr double kLargestFactor = 1.2;
    // Below this the two settled outputs do not differ enough to time anything.
    constexpr double kAudibleDistance = 0.01;
    for (const GlideSettle::Change& change : FilterGlides())
    {
        SCOPED_TRACE(change.name);
        const GlideSettle::Result tuned = GlideSettle::Measure(change, kTunedRate);
        ASSERT_GT(tuned.distance, kAudibleDistance);
        for (double rate : kOtherRates)
        {
            const double seconds = GlideSettle::Measure(change, rate).seconds;
            EXPECT_LT(std::max(seconds / tuned.seconds, tuned.seconds / seconds), kLargestFactor)
                << seconds * 1e3 << " ms at " << rate << " Hz, " << tuned.seconds * 1e3 << " ms at 44.1 kHz";
        }
    }
}

} // namespace
