#pragma once

#include <cstdint>

// Operations on plain arrays of transfer-curve points.

// Clamps to [-1, 1], the upper bound first (NaN passes through unchanged).
inline double ClampToUnit(double value)
{
    const double upper = value > 1.0 ? 1.0 : value;
    return upper < -1.0 ? -1.0 : upper;
}

// Infinite and NaN values become 0.
double FiniteOrZero(double value);

void ClampCurvePoints(double* values, int32_t n);

// Scales the values so that the largest magnitude becomes `peak`; an all-zero array stays.
void ScaleCurveToPeak(double* values, int32_t n, double peak);

// Largest magnitude of the values; 0 for an empty array.
double PeakMagnitude(const double* values, int32_t n);

// Four-point cubic through y1 (t = 0) and y2 (t = 1), exactly at both ends.
double CubicInterpolate(double y0, double y1, double y2, double y3, double t);
