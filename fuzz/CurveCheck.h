#pragma once

#include "dsp/units/curves/DistortionCurve.h"

#include <cmath>
#include <cstdlib>

// Aborts unless every point of the curve is finite and within -1..1.
inline void CheckCurvePoints(const DistortionCurve& curve)
{
    for (int32_t i = 0; i < curve.count; ++i)
    {
        const double point = curve.Points()[i];
        if (!std::isfinite(point) || point < -1.0 || point > 1.0)
            std::abort();
    }
}
