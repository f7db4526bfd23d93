#include "dsp/units/curves/CurveStorage.h"

#include "dsp/units/curves/CurvePoints.h"

#include <algorithm>

void SharedCurveTables::Build(const double* values, uint16_t pointCount, const double* identityRamp)
{
    count = pointCount;
    identity = identityRamp;
    points.resize(count);
    std::transform(values, values + count, points.begin(), [](double value) { return FiniteOrZero(value); });
    ClampCurvePoints(points.data(), count);
    const int32_t half = count / 2;
    linearBelowZero = points;
    std::copy(identity, identity + half, linearBelowZero.begin());
    linearAboveZero = points;
    std::copy(identity + half, identity + 2 * half, linearAboveZero.begin() + half);
}

CurveArrays CurveArrays::Sized(uint16_t count)
{
    CurveArrays arrays;
    for (SampleArray* array : {&arrays.points, &arrays.alternative, &arrays.effective, &arrays.scratch})
        ResizeSampleArray(*array, count);
    return arrays;
}
