#include "dsp/units/DistortionCurve.h"

#include "dsp/units/CurvePoints.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{
constexpr double kFilterKeep = 0.88777;
constexpr double kFilterTake = 1.0 - kFilterKeep;
constexpr double kNormalizeFloor = 2.220446049250313e-16;
}

DistortionCurve::DistortionCurve(uint16_t pointCount)
    : count(pointCount), lastIndex(static_cast<double>(pointCount) - 1.0)
{
    Allocate();
    SetIdentity();
}

void DistortionCurve::Allocate()
{
    ResizeSampleArray(points, count);
    ResizeSampleArray(alternative, count);
    ResizeSampleArray(effective, count);
    ResizeSampleArray(mScratch, count);
}

void DistortionCurve::SetIdentity()
{
    // A single point has no spacing; it sits at the left end.
    const double step = count > 1 ? 2.0 / (count - 1) : 0.0;
    for (int32_t i = 0; i < count; ++i)
    {
        const double value = i * step - 1.0;
        points.data[i] = value;
        alternative.data[i] = value;
        effective.data[i] = value;
    }
}

void DistortionCurve::SetPoints(const double* values, int32_t n)
{
    if (values == nullptr || n != count)
        return;
    for (int32_t i = 0; i < count; ++i)
        points.data[i] = FiniteOrZero(values[i]);
    ClampCurvePoints(points.data, count);
}

void DistortionCurve::SetPoints(const std::vector<double>& values)
{
    if (values.size() != count)
        return;
    SetPoints(values.data(), count);
}

double DistortionCurve::Lookup(double x, const double* table) const
{
    if (table == nullptr || count == 0)
        return 0.0;
    if (std::isnan(x))
        x = 0.0;
    x = std::clamp(x, -1.0, 1.0);
    const double position = (x + 1.0) * 0.5 * lastIndex;
    const uint16_t i = static_cast<uint16_t>(position);
    const double t = position - i;

    const uint16_t i0 = i == 0 ? 0 : i - 1;
    const uint16_t i1 = i + 1 < count ? i + 1 : count - 1;
    const uint16_t i2 = i + 2 < count ? i + 2 : count - 1;
    const double y0 = table[i0];
    const double y1 = table[i];
    const double y2 = table[i1];
    const double y3 = table[i2];

    switch (interpolation)
    {
    case kNoInterpolation:
        return y1;
    case kCosineInterpolation:
    {
        const double c = (1.0 - std::cos(t * std::numbers::pi)) * 0.5;
        return (1.0 - c) * y1 + c * y2;
    }
    case kCubicInterpolation:
        return CubicInterpolate(y0, y1, y2, y3, t);
    case kHermiteInterpolation:
    {
        // Tension 0, bias 0.
        const double m0 = (y1 - y0) * 0.5 + (y2 - y1) * 0.5;
        const double m1 = (y2 - y1) * 0.5 + (y3 - y2) * 0.5;
        const double t2 = t * t;
        const double t3 = t2 * t;
        return (2.0 * t3 - 3.0 * t2 + 1.0) * y1 + (t3 - 2.0 * t2 + t) * m0 + (t3 - t2) * m1 +
               (3.0 * t2 - 2.0 * t3) * y2;
    }
    default:
        return (1.0 - t) * y1 + t * y2;
    }
}

void DistortionCurve::Normalize()
{
    const double largest = PeakMagnitude(points.data, count);
    if (largest <= kNormalizeFloor)
        return;
    const double scale = 1.0 / largest;
    for (int32_t i = 0; i < count; ++i)
        points.data[i] = ClampToUnit(points.data[i] * scale);
}

void DistortionCurve::LowPass()
{
    if (count == 0)
        return;
    double state = points.data[0];
    for (int32_t i = 0; i < count; ++i)
    {
        state = points.data[i] * kFilterTake + state * kFilterKeep;
        points.data[i] = ClampToUnit(state);
    }
    state = points.data[count - 1];
    for (int32_t i = count - 1; i >= 0; --i)
    {
        state = state * kFilterKeep + points.data[i] * kFilterTake;
        points.data[i] = ClampToUnit(state);
    }
}

void DistortionCurve::Filter(bool emphasise)
{
    std::copy(points.data, points.data + count, mScratch.data);
    LowPass();
    for (int32_t i = 0; i < count; ++i)
    {
        const double difference = mScratch.data[i] - points.data[i];
        points.data[i] = emphasise ? mScratch.data[i] + difference : difference;
    }
}

void DistortionCurve::BuildEffective()
{
    std::copy(points.data, points.data + count, effective.data);
    const int32_t half = count / 2;
    if (polarity == kLinearBelowZero)
        std::copy(alternative.data, alternative.data + half, effective.data);
    else if (polarity == kLinearAboveZero)
        std::copy(alternative.data + half, alternative.data + 2 * half, effective.data + half);
}

void DistortionCurve::CopyFrom(const DistortionCurve& other)
{
    if (&other == this)
        return;
    if (other.count != count)
    {
        count = other.count;
        lastIndex = other.lastIndex;
        Allocate();
    }
    interpolation = other.interpolation;
    polarity = other.polarity;
    name = other.name;
    std::copy(other.points.data, other.points.data + count, points.data);
    std::copy(other.alternative.data, other.alternative.data + count, alternative.data);
    std::copy(other.effective.data, other.effective.data + count, effective.data);
}
