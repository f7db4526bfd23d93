#include "dsp/units/path/DeadZoneGate.h"

#include "dsp/units/GlideTimes.h"
#include "dsp/units/SmootherStep.h"
#include "dsp/units/path/DeadZoneGateWide.h"

#include <algorithm>
#include <cmath>

namespace
{

// Silence below the threshold, the sample itself from the knee's top on, and in between a
// share of it that grows from 0 to 1: a gate only ever lowers the level.
double Gated(double x, double threshold, double knee, double kneeTop)
{
    const double m = std::fabs(x);
    // Written so that a NaN sample is gated too.
    if (!(m >= threshold))
        return 0.0;
    if (m < kneeTop)
        return x * ((m - threshold) / knee);
    return x;
}

} // namespace

void DeadZoneGate::Prepare(double rate, int32_t, int32_t framesPerHostFrame)
{
    keep = GlideTimes::Keep(TimeConstants::kDeadZoneKeep, rate);
    take = 1.0 - keep;
    this->framesPerHostFrame = framesPerHostFrame;
}

void DeadZoneGate::EndGlides()
{
    threshold = target;
    knee = std::min(threshold, kMaxKnee);
    kneeTop = threshold + knee;
}

void DeadZoneGate::Process(double* const io[2], int32_t n)
{
    // Switched off, the threshold glides down to 0 before the gate stops.
    if ((target == 0.0 && threshold == 0.0) || n < 1)
        return;
    // A settled threshold gives every frame the same knee, so one step serves the block.
    const bool settled = GlideOutStep(threshold, keep, take, target) == threshold;
    if (settled && mWide)
    {
        knee = std::min(threshold, kMaxKnee);
        kneeTop = threshold + knee;
        if (threshold != 0.0)
            GateSettledWide(io, n, threshold, knee, kneeTop);
        return;
    }
    const int32_t steppedFrames = settled ? 1 : n;
    double level = threshold;
    double width = knee;
    double top = kneeTop;
    for (int32_t i = 0; i < n; ++i)
    {
        if (i < steppedFrames && StepsAt(i, framesPerHostFrame))
        {
            level = GlideOutStep(level, keep, take, target);
            width = std::min(level, kMaxKnee);
            top = level + width;
        }
        if (level == 0.0)
            continue;
        io[0][i] = Gated(io[0][i], level, width, top);
        io[1][i] = Gated(io[1][i], level, width, top);
    }
    threshold = level;
    knee = width;
    kneeTop = top;
}
