#include "dsp/units/curves/DistortionCurve.h"

#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/CurveReading.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

DistortionCurve::DistortionCurve(const SharedCurveTables& shared)
    : count(shared.count), lastIndex(static_cast<double>(shared.count) - 1.0), mShared(&shared)
{
}

void DistortionCurve::Allocate()
{
    mOwn = CurveArrays::Sized(count);
}

const double* DistortionCurve::Points() const
{
    return mShared ? mShared->points.data() : mOwn.points.data;
}

const double* DistortionCurve::Alternative() const
{
    return mShared ? mShared->identity : mOwn.alternative.data;
}

const double* DistortionCurve::Effective() const
{
    return mShared ? ReadTable() : mOwn.effective.data;
}

CurveArrays* DistortionCurve::OwnArrays()
{
    return mShared ? nullptr : &mOwn;
}

double* DistortionCurve::EditablePoints()
{
    return mShared ? nullptr : mOwn.points.data;
}

CurveArrays DistortionCurve::Share(const SharedCurveTables& shared)
{
    mShared = &shared;
    count = shared.count;
    lastIndex = static_cast<double>(count) - 1.0;
    return std::exchange(mOwn, CurveArrays{});
}

void DistortionCurve::Own(CurveArrays&& arrays)
{
    if (!mShared)
        return;
    const double* table = ReadTable();
    std::copy(mShared->points.begin(), mShared->points.end(), arrays.points.data);
    std::copy(mShared->identity, mShared->identity + count, arrays.alternative.data);
    std::copy(table, table + count, arrays.effective.data);
    Adopt(std::move(arrays));
}

void DistortionCurve::Adopt(CurveArrays&& arrays)
{
    mOwn = std::move(arrays);
    mShared = nullptr;
}

void DistortionCurve::SetIdentity()
{
    if (mShared)
        return;
    // A single point has no spacing; it sits at the left end.
    const double step = count > 1 ? 2.0 / (count - 1) : 0.0;
    for (int32_t i = 0; i < count; ++i)
    {
        const double value = i * step - 1.0;
        mOwn.points.data[i] = value;
        mOwn.alternative.data[i] = value;
        mOwn.effective.data[i] = value;
    }
}

void DistortionCurve::SetPoints(const double* values, int32_t n)
{
    if (values == nullptr || n != count || mShared)
        return;
    double* points = mOwn.points.data;
    for (int32_t i = 0; i < count; ++i)
        points[i] = FiniteOrZero(values[i]);
    ClampCurvePoints(points, count);
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
    double* points = EditablePoints();
    if (points == nullptr)
        return;
    const double largest = PeakMagnitude(points, count);
    if (largest <= kNormalizeFloor)
        return;
    const double scale = 1.0 / largest;
    for (int32_t i = 0; i < count; ++i)
        points[i] = ClampToUnit(points[i] * scale);
}

void DistortionCurve::LowPass()
{
    double* points = EditablePoints();
    if (points == nullptr || count == 0)
        return;
    double state = points[0];
    for (int32_t i = 0; i < count; ++i)
    {
        state = points[i] * kFilterTake + state * kFilterKeep;
        points[i] = ClampToUnit(state);
    }
    state = points[count - 1];
    for (int32_t i = count - 1; i >= 0; --i)
    {
        state = state * kFilterKeep + points[i] * kFilterTake;
        points[i] = ClampToUnit(state);
    }
}

void DistortionCurve::Filter(bool emphasise)
{
    double* points = EditablePoints();
    if (points == nullptr)
        return;
    double* aside = mOwn.scratch.data;
    std::copy(points, points + count, aside);
    LowPass();
    for (int32_t i = 0; i < count; ++i)
    {
        const double difference = aside[i] - points[i];
        points[i] = emphasise ? aside[i] + difference : difference;
    }
}

void DistortionCurve::BuildEffective()
{
    if (mShared)
        return;
    const double* points = mOwn.points.data;
    const double* alternative = mOwn.alternative.data;
    double* effective = mOwn.effective.data;
    std::copy(points, points + count, effective);
    const int32_t half = count / 2;
    if (polarity == kLinearBelowZero)
        std::copy(alternative, alternative + half, effective);
    else if (polarity == kLinearAboveZero)
        std::copy(alternative + half, alternative + 2 * half, effective + half);
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
    if (mShared)
    {
        if (polarity == kLinearBelowZero)
            return mShared->linearBelowZero.data();
        if (polarity == kLinearAboveZero)
            return mShared->linearAboveZero.data();
        return mShared->points.data();
    }
    return TakesAlternativeHalf(polarity) ? mOwn.effective.data : mOwn.points.data;
}

void DistortionCurve::CopyFrom(const DistortionCurve& other)
{
    if (&other == this || (mShared && !other.mShared))
        return;
    interpolation = other.interpolation;
    polarity = other.polarity;
    name = other.name;
    if (mShared)
    {
        // Both read shared tables, which hold nothing to copy.
        (void)Share(*other.mShared);
        return;
    }
    if (other.count != count)
    {
        count = other.count;
        lastIndex = other.lastIndex;
        Allocate();
    }
    for (auto [from, to] : {std::pair{other.Points(), mOwn.points.data}, std::pair{other.Alternative(), mOwn.alternative.data},
                            std::pair{other.Effective(), mOwn.effective.data}})
        std::copy(from, from + count, to);
}
