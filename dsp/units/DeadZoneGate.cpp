#include "dsp/units/DeadZoneGate.h"

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
    if (target == 0.0)
        return;
    for (int32_t i = 0; i < n; ++i)
    {
        threshold = target * take + keep * threshold;
        knee = std::min(threshold, kMaxKnee);
        kneeTop = threshold + knee;
        io[0][i] = Gated(io[0][i], target, knee, kneeTop);
        io[1][i] = Gated(io[1][i], target, knee, kneeTop);
    }
}
