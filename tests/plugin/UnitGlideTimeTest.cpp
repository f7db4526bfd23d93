// The units' own glides and fades last as long at 96 kHz as at 44.1 kHz.
#include "dsp/units/GlideTimes.h"
#include "dsp/units/ProcessingUnitShape.h"
#include "tests/plugin/PluginRig.h"
#include "tests/support/StereoBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
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

} // namespace
