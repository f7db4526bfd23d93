#include "dsp/units/curves/CurveActions.h"
#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/curves/LcgRandom.h"
#include "dsp/units/curves/SharedRandom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace
{
constexpr uint16_t kPoints = 2048;

std::vector<double> PointsOf(const DistortionCurve& curve)
{
    return std::vector<double>(curve.Points(), curve.Points() + curve.count);
}

double Ramp(int32_t i)
{
    return i * (2.0 / (kPoints - 1)) - 1.0;
}

// The identity curve scaled, so that boosts and normalising have room to act.
void FillHalfRamp(DistortionCurve& curve)
{
    for (int32_t i = 0; i < curve.count; ++i)
        curve.EditablePoints()[i] = 0.5 * Ramp(i);
}
}

TEST(CurveActions, PointwiseActionsOnAHalfRamp)
{
    DistortionCurve identityCompressor(kPoints);
    struct Case
    {
        uint32_t action;
        double (*expected)(double p, int32_t i);
    };
    const Case cases[] = {
        {kNormalizeCurve, [](double p, int32_t) { return 2.0 * p; }},
        {kCompressCurve, [](double p, int32_t) { return 1.4 * p; }},
        {kBoostCurve, [](double p, int32_t) { return 1.25 * p; }},
        {kInvertCurve, [](double p, int32_t) { return -p; }},
        {kLinearMix, [](double, int32_t i) { return Ramp(i); }},
        {kResetLinear, [](double, int32_t i) { return Ramp(i); }},
        {kNoCurveAction, [](double p, int32_t) { return p; }},
        {21, [](double p, int32_t) { return p; }},
        {1000, [](double p, int32_t) { return p; }},
    };
    for (const Case& c : cases)
    {
        DistortionCurve curve(kPoints);
        FillHalfRamp(curve);
        const std::vector<double> before = PointsOf(curve);
        RunCurveAction(curve, c.action, CurveActionSources{&identityCompressor, nullptr, 0});
        for (int32_t i = 0; i < kPoints; i += 89)
            ASSERT_NEAR(curve.Points()[i], c.expected(before[i], i), 1e-12) << "action " << c.action << " point " << i;
    }
}

TEST(CurveActions, CompressIsNotClampedAndBoostIs)
{
    DistortionCurve identityCompressor(kPoints);
    DistortionCurve curve(kPoints);
    RunCurveAction(curve, kCompressCurve, CurveActionSources{&identityCompressor, nullptr, 0});
    EXPECT_DOUBLE_EQ(curve.Points()[2047], 1.4);
    RunCurveAction(curve, kBoostCurve, {});
    EXPECT_EQ(curve.Points()[2047], 1.0);
    EXPECT_EQ(curve.Points()[0], -1.0);
}

TEST(CurveActions, RestoreTakesTheBuiltinPointsWhenThereAreAny)
{
    const std::vector<double> builtin(kPoints, 0.125);
    DistortionCurve curve(kPoints);
    RunCurveAction(curve, kRestoreCurve, CurveActionSources{nullptr, nullptr, kPoints});
    EXPECT_EQ(curve.Points()[5], Ramp(5));
    RunCurveAction(curve, kRestoreCurve, CurveActionSources{nullptr, builtin.data(), kPoints});
    EXPECT_EQ(curve.Points()[5], 0.125);
}

TEST(CurveActions, ResetRewritesAlternativeAndEffectivePoints)
{
    DistortionCurve curve(kPoints);
    CurveArrays& arrays = *curve.OwnArrays();
    for (SampleArray* array : {&arrays.points, &arrays.alternative, &arrays.effective})
        for (int32_t i = 0; i < kPoints; ++i)
            array->data[i] = 0.3;
    RunCurveAction(curve, kResetLinear, {});
    for (const SampleArray* array : {&arrays.points, &arrays.alternative, &arrays.effective})
        EXPECT_EQ(array->data[100], Ramp(100));
}

TEST(CurveActions, SmoothAveragesForwardThenBackward)
{
    DistortionCurve curve(4);
    const double start[] = {0.0, 1.0, 0.0, 1.0};
    curve.SetPoints(start, 4);
    RunCurveAction(curve, kSmoothCurve, {});
    EXPECT_EQ(PointsOf(curve), (std::vector<double>{0.234375, 0.46875, 0.4375, 0.625}));
}

TEST(CurveActions, SharpKeepsThePeakAndFiltersKeepConstants)
{
    DistortionCurve curve(kPoints);
    FillHalfRamp(curve);
    RunCurveAction(curve, kSharpCurve, {});
    EXPECT_DOUBLE_EQ(PeakMagnitude(curve.Points(), kPoints), 0.5);

    struct Case
    {
        uint32_t action;
        double expected;
    };
    for (const Case& c : {Case{kLowPassCurve, 0.4}, Case{kHighPassCurve, 0.0}})
    {
        DistortionCurve constant(kPoints);
        for (int32_t i = 0; i < kPoints; ++i)
            constant.EditablePoints()[i] = 0.4;
        RunCurveAction(constant, c.action, {});
        EXPECT_NEAR(constant.Points()[1000], c.expected, 1e-15) << c.action;
    }
}

TEST(CurveActions, SmoothZeroCrossingTapersTheEightPointsEachSideOfTheCentre)
{
    DistortionCurve curve(kPoints);
    RunCurveAction(curve, kSmoothZeroCrossing, {});
    EXPECT_EQ(curve.Points()[1023], 0.0);
    EXPECT_EQ(curve.Points()[1024], 0.0);
    EXPECT_EQ(curve.Points()[1022], 0.125 * Ramp(1022));
    EXPECT_EQ(curve.Points()[1031], 0.875 * Ramp(1031));
    EXPECT_EQ(curve.Points()[1032], Ramp(1032));
    EXPECT_EQ(curve.Points()[1015], Ramp(1015));
}

TEST(CurveActions, MirrorsCopyOneHalfNegatedOntoTheOther)
{
    DistortionCurve curve(kPoints);
    FillHalfRamp(curve);
    curve.EditablePoints()[1500] = 0.9;
    RunCurveAction(curve, kMirrorPositivePart, {});
    EXPECT_EQ(curve.Points()[2047 - 1500], -0.9);

    curve.EditablePoints()[100] = -0.2;
    RunCurveAction(curve, kMirrorNegativePart, {});
    EXPECT_EQ(curve.Points()[2047 - 100], 0.2);
}

TEST(CurveActions, QuantizeHoldsTheFirstPointOfEachRun)
{
    struct Case
    {
        uint32_t action;
        int32_t runLength;
    };
    for (const Case& c : {Case{kQuantize64, 32}, Case{kQuantize32, 64}, Case{kQuantize16, 128}, Case{kQuantize8, 256}})
    {
        DistortionCurve curve(kPoints);
        RunCurveAction(curve, c.action, {});
        for (int32_t i = 0; i < kPoints; ++i)
            ASSERT_EQ(curve.Points()[i], Ramp(i - i % c.runLength)) << "action " << c.action << " point " << i;
    }
}

TEST(CurveActions, NoiseFollowsTheSharedGeneratorAwayFromZero)
{
    for (uint32_t action : {static_cast<uint32_t>(kAddNoise), static_cast<uint32_t>(kAddDynamicNoise)})
    {
        constexpr uint32_t kSeed = 77;
        SharedRandom::Seed(kSeed);
        LcgRandom replay(kSeed);
        DistortionCurve curve(kPoints);
        FillHalfRamp(curve);
        const std::vector<double> before = PointsOf(curve);
        RunCurveAction(curve, action, {});
        for (int32_t i = 0; i < kPoints; ++i)
        {
            const double noise = ((replay.Next() % 32767) - 16383.5) / 16383.5;
            const double sign = before[i] < 0.0 ? -1.0 : 1.0;
            const double w = std::fabs(std::cos(std::numbers::pi * i / kPoints));
            const double depth = action == kAddNoise ? 0.0777 : w * w * 0.1777;
            ASSERT_NEAR(curve.Points()[i], ClampToUnit(before[i] + noise * sign * depth), 1e-15)
                << "action " << action << " point " << i;
        }
    }
}

TEST(CurveActions, ShortCurvesAreLeftAlone)
{
    struct Case
    {
        uint16_t count;
        uint32_t action;
    };
    const Case cases[] = {
        {1, kSmoothCurve},       {1, kMirrorPositivePart}, {1, kMirrorNegativePart},
        {3, kSmoothZeroCrossing}, {7, kQuantize8},
    };
    for (const Case& c : cases)
    {
        DistortionCurve curve(c.count);
        for (int32_t i = 0; i < c.count; ++i)
            curve.EditablePoints()[i] = 0.3 + 0.1 * i;
        const std::vector<double> before = PointsOf(curve);
        RunCurveAction(curve, c.action, {});
        EXPECT_EQ(PointsOf(curve), before) << "count " << c.count << " action " << c.action;
    }
}

TEST(CurveActions, LinearMixOfASinglePointStaysFinite)
{
    DistortionCurve curve(1);
    curve.EditablePoints()[0] = 0.3;
    RunCurveAction(curve, kLinearMix, {});
    EXPECT_EQ(curve.Points()[0], -1.0);
}
