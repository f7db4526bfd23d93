#include "dsp/units/CurvePoints.h"

#include <cmath>

double FiniteOrZero(double value)
{
    return std::isfinite(value) ? value : 0.0;
}

void ClampCurvePoints(double* values, int32_t n)
{
    for (int32_t i = 0; i < n; ++i)
        values[i] = ClampToUnit(values[i]);
}

void ScaleCurveToPeak(double* values, int32_t n, double peak)
{
    const double largest = PeakMagnitude(values, n);
    if (largest == 0.0)
        return;
    for (int32_t i = 0; i < n; ++i)
        values[i] = values[i] / largest * peak;
}

double PeakMagnitude(const double* values, int32_t n)
{
    double largest = 0.0;
    for (int32_t i = 0; i < n; ++i)
    {
        const double magnitude = std::fabs(values[i]);
        if (magnitude > largest)
            largest = magnitude;
    }
    return largest;
}

double CubicInterpolate(double y0, double y1, double y2, double y3, double t)
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
