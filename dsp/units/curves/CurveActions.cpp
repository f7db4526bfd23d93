#include "dsp/units/curves/CurveActions.h"

#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/curves/SharedRandom.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace
{
constexpr double kCompressGain = 1.4;
constexpr double kBoostGain = 1.25;
constexpr double kNoiseDepth = 0.0777;
constexpr double kDynamicNoiseDepth = 0.1777;
constexpr int32_t kNoiseRange = 32767;
constexpr double kNoiseCentre = 16383.5;
constexpr int32_t kZeroCrossingTaper = 8;

void Compress(DistortionCurve& curve, const DistortionCurve* compressor)
{
    if (compressor == nullptr)
        return;
    double* const points = curve.EditablePoints();
    for (int32_t i = 0; i < curve.count; ++i)
        points[i] = FiniteOrZero(kCompressGain * compressor->Lookup(points[i], compressor->Points()));
}

void Smooth(double* p, int32_t n)
{
    if (n < 2)
        return;
    double previous = p[0];
    for (int32_t i = 0; i < n; ++i)
    {
        p[i] = ClampToUnit((previous + p[i]) * 0.5);
        previous = p[i];
    }
    previous = p[n - 1];
    for (int32_t i = n - 1; i >= 0; --i)
    {
        p[i] = ClampToUnit((previous + p[i]) * 0.5);
        previous = p[i];
    }
}

void Sharpen(DistortionCurve& curve)
{
    const double peak = PeakMagnitude(curve.Points(), curve.count);
    curve.Filter(true);
    ScaleCurveToPeak(curve.EditablePoints(), curve.count, std::min(peak, 1.0));
}

void SmoothZeroCrossing(double* p, int32_t n)
{
    if (n < 4)
        return;
    const int32_t half = n / 2;
    const int32_t taper = std::min(half, kZeroCrossingTaper);
    for (int32_t j = 0; j < taper; ++j)
    {
        const double factor = j / static_cast<double>(kZeroCrossingTaper);
        p[half - 1 - j] *= factor;
        p[half + j] *= factor;
    }
}

// Pushes each point away from zero (or towards it) by a random amount; with `dynamic` the
// depth follows |cos| over the curve, strongest at both ends and zero at the centre.
void AddNoise(double* p, int32_t n, bool dynamic)
{
    for (int32_t i = 0; i < n; ++i)
    {
        const double sign = p[i] < 0.0 ? -1.0 : 1.0;
        const double noise = ((SharedRandom::Next() % kNoiseRange) - kNoiseCentre) / kNoiseCentre;
        if (dynamic)
        {
            const double w = std::fabs(std::cos(std::numbers::pi * i / n));
            p[i] = ClampToUnit(p[i] + w * w * noise * sign * kDynamicNoiseDepth);
        }
        else
        {
            p[i] = ClampToUnit(p[i] + noise * sign * kNoiseDepth);
        }
    }
}

void MirrorHalf(double* p, int32_t n, bool positiveToNegative)
{
    if (n < 2)
        return;
    const int32_t half = n / 2;
    for (int32_t j = 0; j < half; ++j)
    {
        if (positiveToNegative)
            p[half - 1 - j] = -p[half + j];
        else
            p[half + j] = -p[half - 1 - j];
    }
}

// Each run of n / steps points takes the value of its first point.
void Quantize(double* p, int32_t n, int32_t steps)
{
    if (n < steps)
        return;
    const int32_t step = n / steps;
    double hold = p[0];
    int32_t next = step;
    for (int32_t i = 0; i < n; ++i)
    {
        if (i == next)
        {
            hold = p[i];
            next += step;
        }
        else
        {
            p[i] = hold;
        }
    }
}

void LinearMix(double* p, int32_t n)
{
    const double step = n > 1 ? 2.0 / (n - 1) : 0.0;
    for (int32_t i = 0; i < n; ++i)
        p[i] = p[i] + i * step - 1.0;
    ScaleCurveToPeak(p, n, 1.0);
}
}

void RunCurveAction(DistortionCurve& curve, uint32_t action, const CurveActionSources& sources)
{
    double* const p = curve.EditablePoints();
    // Shared tables never change: the curve is given points of its own first.
    if (p == nullptr)
        return;
    const int32_t n = curve.count;
    switch (action)
    {
    case kRestoreCurve:
        curve.SetPoints(sources.builtinPoints, sources.builtinCount);
        break;
    case kNormalizeCurve:
        curve.Normalize();
        break;
    case kCompressCurve:
        Compress(curve, sources.compressor);
        break;
    case kBoostCurve:
        for (int32_t i = 0; i < n; ++i)
            p[i] = ClampToUnit(kBoostGain * p[i]);
        break;
    case kSmoothCurve:
        Smooth(p, n);
        break;
    case kSharpCurve:
        Sharpen(curve);
        break;
    case kLowPassCurve:
        curve.LowPass();
        break;
    case kHighPassCurve:
        curve.Filter(false);
        break;
    case kSmoothZeroCrossing:
        SmoothZeroCrossing(p, n);
        break;
    case kAddNoise:
    case kAddDynamicNoise:
        AddNoise(p, n, action == kAddDynamicNoise);
        break;
    case kInvertCurve:
        for (int32_t i = 0; i < n; ++i)
            p[i] = -p[i];
        break;
    case kMirrorPositivePart:
    case kMirrorNegativePart:
        MirrorHalf(p, n, action == kMirrorPositivePart);
        break;
    case kQuantize64:
        Quantize(p, n, 64);
        break;
    case kQuantize32:
        Quantize(p, n, 32);
        break;
    case kQuantize16:
        Quantize(p, n, 16);
        break;
    case kQuantize8:
        Quantize(p, n, 8);
        break;
    case kLinearMix:
        LinearMix(p, n);
        break;
    case kResetLinear:
        curve.SetIdentity();
        break;
    default:
        break;
    }
}
