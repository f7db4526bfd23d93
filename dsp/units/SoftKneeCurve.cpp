#include "dsp/units/SoftKneeCurve.h"

#include "dsp/units/OutputLimiter.h"

#include <cmath>

double SoftKneeCurve(const OutputLimiter& limiter, double x)
{
    const double sign = x < 0.0 ? -1.0 : 1.0;
    const double m = std::fabs(x);
    const double t = limiter.threshold;
    const double w = limiter.kneeWidth;
    const double r = limiter.ratio;
    if (m < limiter.kneeStart)
        return sign * m;
    if (m < limiter.kneeEnd)
    {
        const double d = m - t + w * 0.5;
        return ((1.0 / r - 1.0) * d * d / (w + w) + m) * sign;
    }
    return ((m - t) / r + t) * sign;
}
