#include "dsp/units/curves/CurveActions.h"
#include "dsp/units/curves/CurveStorage.h"
#include "dsp/units/curves/DistortionCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

namespace
{
constexpr uint16_t kPoints = 8;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

std::vector<double> Identity(uint16_t count)
{
    std::vector<double> ramp(count);
    for (int32_t i = 0; i < count; ++i)
        ramp[static_cast<size_t>(i)] = i * (2.0 / (count - 1)) - 1.0;
    return ramp;
}

std::vector<double> Copy(const double* values, int32_t n)
{
    return {values, values + n};
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), sizeof(double) * a.size()) == 0;
}

// Eight uneven points and the tables built from them.
struct Tables
{
    Tables()
    {
        const double values[kPoints] = {-0.9, 0.4, -0.2, 0.7, 0.1, -0.6, 0.8, 0.3};
        tables.Build(values, kPoints, identity.data());
    }
    std::vector<double> identity = Identity(kPoints);
    SharedCurveTables tables;
};

TEST(SharedCurveTables, BuildCleansThePointsAsSetPointsDoes)
{
    const std::vector<double> identity = Identity(6);
    const double values[] = {kNaN, kInfinity, -kInfinity, 1.7, -3.0, -0.0};
    SharedCurveTables tables;
    tables.Build(values, 6, identity.data());
    DistortionCurve own(6);
    own.SetPoints(values, 6);
    EXPECT_TRUE(SameBits(tables.points, Copy(own.Points(), 6)));
    EXPECT_TRUE(std::signbit(tables.points[5]));
}

// The tables a sharing curve reads are those a curve of its own builds in every polarity mode.
TEST(SharedCurveTables, PolarityTablesAreTheEffectivePointsOfACurveOfItsOwn)
{
    const Tables t;
    DistortionCurve own(kPoints);
    own.SetPoints(t.tables.points);
    DistortionCurve shared(t.tables);
    for (uint32_t polarity : {0u, 1u, 2u, 3u})
    {
        own.polarity = polarity;
        own.PrepareTable();
        shared.polarity = polarity;
        shared.PrepareTable();
        EXPECT_TRUE(SameBits(Copy(shared.ReadTable(), kPoints), Copy(own.ReadTable(), kPoints))) << polarity;
    }
    EXPECT_TRUE(SameBits(Copy(shared.Alternative(), kPoints), Copy(own.Alternative(), kPoints)));
}

// Shared tables never change: a curve that reads them holds no arrays, and every edit leaves it
// reading them as they were.
TEST(DistortionCurve, ASharingCurveIgnoresEveryEdit)
{
    const struct
    {
        const char* name;
        std::function<void(DistortionCurve&)> edit;
    } edits[] = {
        {"SetPoints", [](DistortionCurve& c) { c.SetPoints(std::vector<double>(kPoints, 0.5)); }},
        {"SetIdentity", [](DistortionCurve& c) { c.SetIdentity(); }},
        {"Normalize", [](DistortionCurve& c) { c.Normalize(); }},
        {"Filter", [](DistortionCurve& c) { c.Filter(true); }},
        {"LowPass", [](DistortionCurve& c) { c.LowPass(); }},
        {"BuildEffective", [](DistortionCurve& c) { c.BuildEffective(); }},
        {"invert action", [](DistortionCurve& c) { RunCurveAction(c, kInvertCurve, {}); }},
        {"copy of a curve of its own", [](DistortionCurve& c) { c.CopyFrom(DistortionCurve(kPoints)); }},
    };
    const Tables t;
    const std::vector<double> before = t.tables.points;
    for (const auto& e : edits)
    {
        DistortionCurve curve(t.tables);
        curve.polarity = DistortionCurve::kLinearBelowZero;
        e.edit(curve);
        EXPECT_EQ(curve.OwnArrays(), nullptr) << e.name;
        EXPECT_EQ(curve.EditablePoints(), nullptr) << e.name;
        EXPECT_EQ(curve.Points(), t.tables.points.data()) << e.name;
        EXPECT_EQ(curve.ReadTable(), t.tables.linearBelowZero.data()) << e.name;
        EXPECT_TRUE(SameBits(t.tables.points, before)) << e.name;
    }
}

// Own keeps what the curve reads, so an edit starts from it; Share hands the arrays back.
TEST(DistortionCurve, OwnCopiesWhatItReadsAndShareHandsTheArraysBack)
{
    const Tables t;
    DistortionCurve curve(t.tables);
    curve.polarity = DistortionCurve::kLinearAboveZero;
    curve.Own(CurveArrays::Sized(kPoints));
    ASSERT_NE(curve.EditablePoints(), nullptr);
    EXPECT_TRUE(SameBits(Copy(curve.Points(), kPoints), t.tables.points));
    EXPECT_TRUE(SameBits(Copy(curve.Effective(), kPoints), t.tables.linearAboveZero));
    EXPECT_TRUE(SameBits(Copy(curve.Alternative(), kPoints), t.identity));

    RunCurveAction(curve, kInvertCurve, {});
    EXPECT_EQ(curve.Points()[0], 0.9);
    EXPECT_EQ(t.tables.points[0], -0.9);

    const Tables other;
    const CurveArrays arrays = curve.Share(other.tables);
    EXPECT_EQ(arrays.points.data[0], 0.9);
    EXPECT_EQ(curve.Points(), other.tables.points.data());
    EXPECT_FALSE(curve.Share(t.tables).Holds());
}

TEST(DistortionCurve, CopyFromBetweenSharingCurvesAndCurvesOfTheirOwn)
{
    const Tables t;
    const Tables other;
    DistortionCurve source(other.tables);
    source.interpolation = 1;

    DistortionCurve sharing(t.tables);
    sharing.CopyFrom(source);
    EXPECT_EQ(sharing.Points(), other.tables.points.data());
    EXPECT_EQ(sharing.interpolation, 1u);

    DistortionCurve owning(kPoints);
    owning.CopyFrom(source);
    EXPECT_NE(owning.Points(), other.tables.points.data());
    EXPECT_TRUE(SameBits(Copy(owning.Points(), kPoints), other.tables.points));

    // A sharing curve has nowhere to put the points of a curve of its own.
    DistortionCurve refusing(t.tables);
    refusing.CopyFrom(owning);
    EXPECT_EQ(refusing.Points(), t.tables.points.data());
    EXPECT_EQ(refusing.interpolation, DistortionCurve::kHermiteInterpolation);
}
} // namespace
