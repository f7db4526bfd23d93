#pragma once

#include "dsp/units/filters/OutputLimiter.h"

#include <cmath>

// The output limiter's static curve: unchanged below the knee start, a quadratic knee up to
// the knee end, then the compressed line (m - T) / R + T; odd in x (-0 and NaN count as
// positive).
inline double SoftKneeCurve(const OutputLimiter& limiter, double x)
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
