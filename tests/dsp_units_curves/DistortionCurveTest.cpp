#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/curves/InterpolationNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
constexpr uint16_t kPoints = 2048;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A curve with uneven neighbours, so that every interpolation mode gives a different value.
void FillWavy(DistortionCurve& curve)
{
    for (int32_t i = 0; i < curve.count; ++i)
        curve.EditablePoints()[i] = 0.9 * std::sin(i * 0.37) * (i % 3 == 0 ? 1.0 : -0.5);
}
}

TEST(DistortionCurve, ConstructsIdentityInAllThreeArrays)
{
    const DistortionCurve curve(kPoints);
    EXPECT_EQ(curve.lastIndex, 2047.0);
    EXPECT_EQ(curve.interpolation, DistortionCurve::kHermiteInterpolation);
    EXPECT_EQ(curve.polarity, DistortionCurve::kShapeBothHalves);
    for (const double* array : {curve.Points(), curve.Alternative(), curve.Effective()})
    {
        EXPECT_EQ(array[0], -1.0);
        EXPECT_EQ(array[1024], 1024 * (2.0 / 2047) - 1.0);
        EXPECT_EQ(array[2047], 1.0);
    }
}

TEST(DistortionCurve, LookupAtTheEndsReadsTheEndPointsInEveryMode)
{
    DistortionCurve curve(kPoints);
    FillWavy(curve);
    const double* table = curve.Points();
    for (uint32_t mode : {0u, 1u, 2u, 3u, 4u, 7u})
    {
        curve.interpolation = mode;
        SCOPED_TRACE(mode);
        EXPECT_EQ(curve.Lookup(-1.0, table), table[0]);
        EXPECT_EQ(curve.Lookup(1.0, table), table[2047]);
        EXPECT_EQ(curve.Lookup(-kInfinity, table), table[0]);
        EXPECT_EQ(curve.Lookup(kInfinity, table), table[2047]);
        EXPECT_EQ(curve.Lookup(-7.5, table), table[0]);
        EXPECT_EQ(curve.Lookup(kNaN, table), curve.Lookup(0.0, table));
        EXPECT_EQ(curve.Lookup(0.3, nullptr), 0.0);
    }
}

TEST(DistortionCurve, LookupInterpolatesByMode)
{
    DistortionCurve curve(kPoints);
    FillWavy(curve);
    const double* p = curve.Points();
    // Halfway between points 1023 and 1024 (t = 0.5).
    const double x = (1023.5 / 2047.0) * 2.0 - 1.0;
    struct Case
    {
        uint32_t mode;
        double expected;
    };
    const double y0 = p[1022], y1 = p[1023], y2 = p[1024], y3 = p[1025];
    const double hermite = 0.5 * y1 + 0.125 * ((y1 - y0) * 0.5 + (y2 - y1) * 0.5) - 0.125 * ((y2 - y1) * 0.5 + (y3 - y2) * 0.5) + 0.5 * y2;
    const Case cases[] = {
        {0, y1},
        {1, 0.5 * y1 + 0.5 * y2},
        {2, 0.5 * y1 + 0.5 * y2},
        {3, CubicInterpolate(y0, y1, y2, y3, 0.5)},
        {4, hermite},
        {7, 0.5 * y1 + 0.5 * y2},
    };
    for (const Case& c : cases)
    {
        curve.interpolation = c.mode;
        EXPECT_NEAR(curve.Lookup(x, p), c.expected, 1e-9) << "mode " << c.mode;
    }
}

// The look-up as first written: every neighbour read, the mode decided per sample.
double ReferenceLookup(const DistortionCurve& curve, double x, const double* table)
{
    if (std::isnan(x))
        x = 0.0;
    x = std::clamp(x, -1.0, 1.0);
    const double position = (x + 1.0) * 0.5 * curve.lastIndex;
    const uint16_t i = static_cast<uint16_t>(position);
    const double t = position - i;
    const int last = curve.count - 1;
    const double y0 = table[i == 0 ? 0 : i - 1];
    const double y1 = table[i];
    const double y2 = table[std::min(i + 1, last)];
    const double y3 = table[std::min(i + 2, last)];
    switch (curve.interpolation)
    {
    case DistortionCurve::kNoInterpolation:
        return y1;
    case DistortionCurve::kCosineInterpolation:
    {
        const double c = (1.0 - std::cos(t * 3.141592653589793)) * 0.5;
        return (1.0 - c) * y1 + c * y2;
    }
    case DistortionCurve::kCubicInterpolation:
        return CubicInterpolate(y0, y1, y2, y3, t);
    case DistortionCurve::kHermiteInterpolation:
    {
        const double m0 = (y1 - y0) * 0.5 + (y2 - y1) * 0.5;
        const double m1 = (y2 - y1) * 0.5 + (y3 - y2) * 0.5;
        const double t2 = t * t;
        const double t3 = t2 * t;
        return (2.0 * t3 - 3.0 * t2 + 1.0) * y1 + (t3 - 2.0 * t2 + t) * m0 + (t3 - t2) * m1 + (3.0 * t2 - 2.0 * t3) * y2;
    }
    default:
        return (1.0 - t) * y1 + t * y2;
    }
}

// The block look-up works on pairs of samples at a time; single look-ups and block look-ups of
// any length must give exactly what the plain formulas give, at the ends and beyond them too.
TEST(DistortionCurve, LookupsGiveExactlyThePlainFormulasInEveryMode)
{
    DistortionCurve curve(kPoints);
    FillWavy(curve);
    const double* table = curve.Points();
    std::vector<double> inputs = {-1.0, 1.0, -7.5, 7.5, kNaN, kInfinity, -kInfinity, 0.0, -0.0,
                                  1023.0 / 2047.0 * 2.0 - 1.0, 1.0 - 1e-17, -1.0 + 1e-16};
    for (int i = 0; i < 4001; ++i)
        inputs.push_back(1.1 * std::sin(i * 0.7137));
    for (const uint32_t mode : {0u, 1u, 2u, 3u, 4u, 9u})
    {
        curve.interpolation = mode;
        for (const int32_t n : {static_cast<int32_t>(inputs.size()), 1, 2, 3})
        {
            std::vector<double> out(n, -5.0);
            curve.LookupBlock(inputs.data(), out.data(), n, table);
            for (int32_t i = 0; i < n; ++i)
            {
                const double expected = ReferenceLookup(curve, inputs[i], table);
                ASSERT_EQ(curve.Lookup(inputs[i], table), expected) << "mode " << mode << " x " << inputs[i];
                ASSERT_EQ(out[i], expected) << "mode " << mode << " block of " << n << " at " << i;
            }
        }
    }
}

TEST(DistortionCurve, LookupBlockWithoutATableGivesSilence)
{
    const DistortionCurve curve(kPoints);
    const double in[3] = {0.5, -0.5, 1.0};
    double out[3] = {7.0, 7.0, 7.0};
    curve.LookupBlock(in, out, 3, nullptr);
    for (const double y : out)
        EXPECT_EQ(y, 0.0);
}

TEST(DistortionCurve, InterpolationNamesCoverUnknownModes)
{
    EXPECT_STREQ(GetInterpolationName(0), "[no interpolation]");
    EXPECT_STREQ(GetInterpolationName(3), "[cubic interpolation]");
    EXPECT_STREQ(GetInterpolationName(4), "[hermite interpolation]");
    EXPECT_STREQ(GetInterpolationName(7), "[unknown interpolation]");
}

TEST(DistortionCurve, SetPointsCleansValuesAndRefusesOtherCounts)
{
    DistortionCurve curve(kPoints);
    std::vector<double> values(kPoints, 0.25);
    values[0] = 1.7;
    values[1] = -3.0;
    values[2] = kNaN;
    values[3] = -kInfinity;
    curve.SetPoints(values);
    EXPECT_EQ(curve.Points()[0], 1.0);
    EXPECT_EQ(curve.Points()[1], -1.0);
    EXPECT_EQ(curve.Points()[2], 0.0);
    EXPECT_EQ(curve.Points()[3], 0.0);
    EXPECT_EQ(curve.Points()[4], 0.25);

    const std::vector<double> shorter(kPoints - 1, 0.5);
    curve.SetPoints(shorter);
    curve.SetPoints(shorter.data(), kPoints - 1);
    curve.SetPoints(nullptr, kPoints);
    EXPECT_EQ(curve.Points()[4], 0.25);
}

TEST(DistortionCurve, NormalizeScalesToPeakOneUnlessNearlySilent)
{
    struct Case
    {
        double peak;
        double expectedScale;
    };
    for (const Case& c : {Case{1e-17, 1.0}, Case{0.5, 2.0}, Case{0.0, 1.0}})
    {
        DistortionCurve curve(kPoints);
        for (int32_t i = 0; i < kPoints; ++i)
            curve.EditablePoints()[i] = c.peak * (i % 2 ? 1.0 : -0.5);
        curve.Normalize();
        EXPECT_EQ(curve.Points()[1], c.peak * c.expectedScale) << c.peak;
        EXPECT_EQ(curve.Points()[0], -0.5 * c.peak * c.expectedScale) << c.peak;
    }
}

TEST(DistortionCurve, PolarityTakesOneHalfFromTheAlternativePoints)
{
    struct Case
    {
        uint32_t polarity;
        int32_t firstAlternative;
        int32_t endAlternative;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{1, 0, 1024}, Case{2, 1024, 2048}, Case{5, 0, 0}})
    {
        DistortionCurve curve(kPoints);
        for (int32_t i = 0; i < kPoints; ++i)
            curve.EditablePoints()[i] = 0.5;
        curve.polarity = c.polarity;
        curve.BuildEffective();
        for (int32_t i = 0; i < kPoints; ++i)
        {
            const bool alternative = i >= c.firstAlternative && i < c.endAlternative;
            ASSERT_EQ(curve.Effective()[i], alternative ? curve.Alternative()[i] : 0.5)
                << "polarity " << c.polarity << " point " << i;
        }
    }
}

TEST(DistortionCurve, ReadTableIsThePointsOrTheBuiltTableByPolarity)
{
    struct Case
    {
        uint32_t polarity;
        bool readsPoints;
    };
    for (const Case& c : {Case{0, true}, Case{1, false}, Case{2, false}, Case{5, true}})
    {
        DistortionCurve curve(kPoints);
        std::fill(curve.OwnArrays()->effective.data, curve.OwnArrays()->effective.data + kPoints, 0.25);
        for (int32_t i = 0; i < kPoints; ++i)
            curve.EditablePoints()[i] = 0.5;
        curve.polarity = c.polarity;
        curve.PrepareTable();
        const double* table = curve.ReadTable();
        EXPECT_EQ(table, c.readsPoints ? curve.Points() : curve.Effective()) << "polarity " << c.polarity;
        if (c.readsPoints)
        {
            EXPECT_EQ(curve.Effective()[0], 0.25) << "nothing copied for polarity " << c.polarity;
            // An edit is read at once, with no table to rebuild.
            curve.EditablePoints()[7] = -0.5;
            EXPECT_EQ(curve.ReadTable()[7], -0.5);
            continue;
        }
        // Built from the points, the half the polarity names from the alternative ones.
        const int32_t half = kPoints / 2;
        EXPECT_EQ(table[half - 1], c.polarity == 1 ? curve.Alternative()[half - 1] : 0.5);
        EXPECT_EQ(table[half], c.polarity == 2 ? curve.Alternative()[half] : 0.5);
    }
}

TEST(DistortionCurve, CubicInterpolateIsExactAtBothEnds)
{
    EXPECT_EQ(CubicInterpolate(0.3, -0.7, 0.9, 0.1, 0.0), -0.7);
    EXPECT_EQ(CubicInterpolate(0.3, -0.7, 0.9, 0.1, 1.0), 0.9);
}

TEST(DistortionCurve, FilterSplitsTheCurveIntoLowAndHighParts)
{
    DistortionCurve silent(kPoints);
    for (bool emphasise : {false, true})
    {
        for (int32_t i = 0; i < kPoints; ++i)
            silent.EditablePoints()[i] = 0.0;
        silent.Filter(emphasise);
        EXPECT_EQ(PeakMagnitude(silent.Points(), kPoints), 0.0);
    }

    // A constant curve is all low-pass: the high-passed form is zero, the emphasised one unchanged.
    DistortionCurve constant(kPoints);
    for (bool emphasise : {false, true})
    {
        for (int32_t i = 0; i < kPoints; ++i)
            constant.EditablePoints()[i] = 0.4;
        constant.Filter(emphasise);
        EXPECT_NEAR(constant.Points()[700], emphasise ? 0.4 : 0.0, 1e-15);
    }
}

TEST(DistortionCurve, CopyFromTakesCountModesNameAndPoints)
{
    DistortionCurve source(16);
    FillWavy(source);
    source.interpolation = 2;
    source.polarity = 1;
    source.name = "Neuro-Funk 1";
    DistortionCurve target(4);
    target.CopyFrom(source);
    EXPECT_EQ(target.count, 16);
    EXPECT_EQ(target.lastIndex, 15.0);
    EXPECT_EQ(target.interpolation, 2u);
    EXPECT_EQ(target.polarity, 1u);
    EXPECT_EQ(target.name, "Neuro-Funk 1");
    for (int32_t i = 0; i < 16; ++i)
    {
        EXPECT_EQ(target.Points()[i], source.Points()[i]);
        EXPECT_EQ(target.Alternative()[i], source.Alternative()[i]);
    }
}
