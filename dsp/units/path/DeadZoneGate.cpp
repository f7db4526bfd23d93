#include "dsp/units/path/DeadZoneGate.h"

#include "dsp/units/SmootherStep.h"

#include <algorithm>
#include <cmath>

namespace
{

double Gated(double x, double target, double knee, double kneeTop)
{
    const double m = std::fabs(x);
    // Written so that a NaN sample is gated too.
    if (!(m >= target))
        return 0.0;
    if (m < kneeTop)
    {
        const double sign = x < 0.0 ? -1.0 : 1.0;
        return ((m - target) / knee * kneeTop + m) * sign;
    }
    return x;
}

} // namespace

void DeadZoneGate::ProcessBlock(double* const io[2], int32_t n)
{
    if (target == 0.0 || n < 1)
        return;
    // A settled threshold gives every frame the same knee, so one step serves the block.
    const int32_t steppedFrames = SmootherStep(threshold, keep, take, target) == threshold ? 1 : n;
    double level = threshold;
    double width = knee;
    double top = kneeTop;
    for (int32_t i = 0; i < n; ++i)
    {
        if (i < steppedFrames && StepsAt(i, framesPerHostFrame))
        {
            level = SmootherStep(level, keep, take, target);
            width = std::min(level, kMaxKnee);
            top = level + width;
        }
        io[0][i] = Gated(io[0][i], target, width, top);
        io[1][i] = Gated(io[1][i], target, width, top);
    }
    threshold = level;
    knee = width;
    kneeTop = top;
}
