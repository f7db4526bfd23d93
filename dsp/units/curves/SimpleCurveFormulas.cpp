#include "dsp/units/curves/SimpleCurveFormulas.h"

#include "dsp/units/curves/CurveFormulaConstants.h"
#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/DistortionDataProvider.h"
#include "dsp/units/curves/PortableTrig.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Wezmark
{
namespace
{
using CurveFormula::kHalfPi;
using CurveFormula::kPi;
using Trig = PortableTrig;

constexpr int kHalf = DistortionDataProvider::kHalf;

// (ln x + c) / c with c = ln 1024, 0 at the centre point.
double LogCurve(int i, double x)
{
    const double c = std::fabs(std::log(0.0009765625));
    return i == 0 ? 0.0 : (std::log(x) + c) / c;
}

void BuildCompressors(DistortionDataProvider& library)
{
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        library.slots[1].SetOdd(i, x >= 0.6 ? (x - 0.6) * 0.25 + 0.6 : x);

        double softKnee = x;
        if (x >= 0.6 && x < 0.7999999999999999)
        {
            const double t = (x - 0.7) + 0.1;
            softKnee = t * (-0.75) * t / 0.4 + x;
        }
        else if (x >= 0.7999999999999999)
        {
            softKnee = (x - 0.7) * 0.25 + 0.7;
        }
        library.slots[2].SetOdd(i, softKnee);
        library.slots[3].SetOdd(i, x >= 0.5 ? 0.5 : x);
    }
    library.FillSoftClipCurve(4, 0.5, 0.2, 4.0);
}

void BuildSaturationsAndClips(DistortionDataProvider& library)
{
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        library.slots[5].SetOdd(i, Trig::Sin(x * kHalfPi));
        library.slots[6].SetOdd(i, std::atan(ClampToUnit(x * 1.777)) / std::atan(1.0));
        library.slots[7].SetOdd(i, x * 70.68609865470853 / (std::fabs(x) * 69.68609865470853 + 1.0));
        library.slots[8].SetOdd(i, i < 2 ? 0.0 : 1.0);
        library.slots[9].SetOdd(i, LogCurve(i, x));
    }
}

void BuildLogFuzzes(DistortionDataProvider& library)
{
    library.slots[10].points = library.slots[9].points;
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        const double logCurve = library.slots[9].Positive(i);
        double& fuzz1 = library.slots[10].Positive(i);
        if (x >= 0.5 && x < 0.7)
            fuzz1 = 0.5;
        library.slots[10].SetOdd(i, fuzz1);

        double fuzz2 = logCurve;
        double fuzz3 = logCurve;
        if (x >= 0.1 && x < 0.25)
        {
            fuzz2 = 0.1;
            fuzz3 = -0.125;
        }
        else if (x >= 0.5 && x < 0.7)
        {
            fuzz2 = 0.5;
            fuzz3 = 0.4;
        }
        library.slots[11].SetOdd(i, fuzz2);
        library.slots[12].SetOdd(i, fuzz3);
    }
    for (int slot : {10, 11, 12})
        library.SmoothCurveSlot(slot);
}

void BuildRippledFuzzes(DistortionDataProvider& library)
{
    constexpr int kRampPeriod = 716;
    constexpr int kHumLength = 102;
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        const double a = 1.0 - x;
        library.slots[13].SetOdd(i, ((i % kRampPeriod) / 716.0 - 0.288) * a + x);

        double corvath = x - Trig::Sin(x * 2.5 * kPi) * 0.4777 + Trig::Sin(x * 25 * kPi) * 0.144 -
                         Trig::Cos(x * 77.7 * kPi) * 0.1777;
        if (i < kHumLength)
        {
            const double hum = Trig::Sin(i / 102.0 * kPi);
            corvath += hum * hum;
        }
        library.slots[14].SetOdd(i, std::clamp(corvath, 0.0, 1.0));

        const double vrn = Trig::Sin(x * 4 * kPi) * 0.35777 + x;
        library.slots[15].SetOdd(i, vrn);
        library.slots[16].SetHalves(i, vrn, vrn - Trig::Cos(x * 3 * kPi) * 0.1777);
    }
    for (int slot : {13, 14, 15, 16})
        library.SmoothCurveSlot(slot);
}

void BuildTubes(DistortionDataProvider& library)
{
    constexpr int kLinearPart = 512;
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        const double a = 1.0 - x;
        const double tube = i < kLinearPart ? (x + x) * 0.97 : (1.0 - (i - 512) * 0.001953125) * 0.2425 + 0.7275;
        library.slots[17].SetOdd(i, tube);
        library.slots[18].SetOdd(i, Trig::Sin(x * kPi) * a + x);
    }
}

void BuildTransistorToxicAndInvert(DistortionDataProvider& library)
{
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        double t = x - 0.8;
        if (x < 0.8)
        {
            const double s = Trig::Sin(x / 0.8 * kPi) * 1.2;
            t = s * s * s;
        }
        library.slots[34].SetOdd(i, x - t * 0.8);
        library.slots[35].SetOdd(i, Trig::Sin(x * kPi) * 0.5);
        const double logCurve = LogCurve(i, x);
        const double toxic = Trig::Sin((x + logCurve) * 0.5 * kPi);
        library.slots[36].SetOdd(i, toxic * toxic * 0.5);
        library.slots[37].SetOdd(i, Trig::Sin(logCurve * kPi) * 0.5);
        library.slots[38].SetOdd(i, 1.0 - i * (1.0 / 1023.0));
    }
    for (int slot : {35, 36, 37})
        library.ClampSlot(slot);
}

void BuildStaircase(DistortionDataProvider& library)
{
    constexpr int kFirstStep = 2;
    constexpr int kStepMask = 0xFF;
    constexpr std::array<double, 8> kCentreTaper = {0.0, 0.125, 0.25, 0.375, 0.5, 0.625, 0.75, 0.875};
    CurveSlot& stairs = library.slots[53];
    double level = 0.0;
    for (int i = 0; i < kHalf; ++i)
    {
        if (i == kFirstStep)
            level += 0.25;
        else if (i > 0 && (i & kStepMask) == 0)
            level = std::min(1.0, level + 0.25);
        stairs.SetOdd(i, level);
    }
    library.SmoothCurveSlot(53);
    for (int k = 0; k < static_cast<int>(kCentreTaper.size()); ++k)
    {
        stairs.Negative(k) *= kCentreTaper[k];
        stairs.Positive(k) *= kCentreTaper[k];
    }
    int topFrom = kHalf;
    for (int i = 0; i < kHalf && topFrom == kHalf; ++i)
        if (stairs.Positive(i) == 1.0 || stairs.Negative(i) == -1.0)
            topFrom = i;
    for (int i = topFrom; i < kHalf; ++i)
        stairs.SetOdd(i, 1.0);
}

void BuildUnitShapes(DistortionDataProvider& library)
{
    constexpr int kCompressedFrom = 512;
    constexpr double kStep = 2.0 / 2047.0;
    constexpr double kCentre = 1024.0 / 2047.0;
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        const double v = i * kStep;
        library.slots[81].SetOdd(i, i >= kCompressedFrom ? (v - kCentre) * 0.4 + kCentre : v);
        library.slots[82].SetOdd(i, std::min(1.0, Trig::Sin(x * kHalfPi) * 1.16));
    }
}
}

void BuildSimpleCurves(DistortionDataProvider& library)
{
    BuildCompressors(library);
    BuildSaturationsAndClips(library);
    BuildLogFuzzes(library);
    BuildRippledFuzzes(library);
    BuildTubes(library);
    BuildTransistorToxicAndInvert(library);
    BuildStaircase(library);
    BuildUnitShapes(library);
}
}
