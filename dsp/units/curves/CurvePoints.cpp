#include "dsp/units/curves/CurvePoints.h"

#include <cmath>

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
