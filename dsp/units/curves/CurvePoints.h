#pragma once

#include <cmath>
#include <cstdint>

// Operations on plain arrays of transfer-curve points.

// Clamps to [-1, 1], the upper bound first (NaN passes through unchanged).
inline double ClampToUnit(double value)
{
    const double upper = value > 1.0 ? 1.0 : value;
    return upper < -1.0 ? -1.0 : upper;
}

// Infinite and NaN values become 0.
inline double FiniteOrZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

void ClampCurvePoints(double* values, int32_t n);

// Scales the values so that the largest magnitude becomes `peak`; an all-zero array stays.
void ScaleCurveToPeak(double* values, int32_t n, double peak);

// Largest magnitude of the values; 0 for an empty array.
double PeakMagnitude(const double* values, int32_t n);

// Four-point cubic through y1 (t = 0) and y2 (t = 1), exactly at both ends.
inline double CubicInterpolate(double y0, double y1, double y2, double y3, double t)
{
    if (t == 1.0)
        return y2;
    if (t == 0.0)
        return y1;
    const double a0 = y3 - y2 - y0 + y1;
    const double a1 = y0 - y1 - a0;
    const double a2 = y2 - y0;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return a0 * t3 + a1 * t2 + a2 * t + y1;
}
