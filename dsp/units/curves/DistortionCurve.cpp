#include "dsp/units/curves/DistortionCurve.h"

#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/CurveReading.h"

#include <algorithm>
#include <cmath>

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
    double y = 0.0;
    WithReading(table, [&](const auto& reading) { y = reading.At(x); });
    return y;
}

void DistortionCurve::LookupBlock(const double* in, double* out, int32_t n, const double* table) const
{
    if (table == nullptr || count == 0)
    {
        std::fill(out, out + std::max(n, 0), 0.0);
        return;
    }
    WithReading(table, [&](const auto& reading) { reading.Each(in, out, n); });
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

namespace
{
bool TakesAlternativeHalf(uint32_t polarity)
{
    return polarity == DistortionCurve::kLinearBelowZero || polarity == DistortionCurve::kLinearAboveZero;
}
}

void DistortionCurve::PrepareTable()
{
    if (TakesAlternativeHalf(polarity))
        BuildEffective();
}

const double* DistortionCurve::ReadTable() const
{
    return TakesAlternativeHalf(polarity) ? effective.data : points.data;
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
