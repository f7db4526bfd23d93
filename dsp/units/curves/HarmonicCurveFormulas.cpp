#include "dsp/units/curves/HarmonicCurveFormulas.h"

#include "dsp/units/curves/CurveFormulaConstants.h"
#include "dsp/units/curves/DistortionDataProvider.h"
#include "dsp/units/curves/PortableTrig.h"

#include <algorithm>
#include <cmath>

namespace Wezmark
{
namespace
{
using CurveFormula::kEightPi;
using CurveFormula::kFourPi;
using CurveFormula::kHalfPi;
using CurveFormula::kPi;
using CurveFormula::kTwoPi;
using Trig = PortableTrig;

constexpr int kHalf = DistortionDataProvider::kHalf;

void BuildSigmoids(DistortionDataProvider& library)
{
    constexpr double kPhase = 1.0084512418023237;
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        const double a = 1.0 - x;
        const double first = Trig::Sin(x * 7.77 * kPi) * 0.1 * a + (Trig::Sin(2 * x * kPi) * 0.4 + x) +
                             Trig::Cos(x * 21 * kPi) * 0.2 * a;
        library.slots[19].SetOdd(i, std::clamp(first, 0.0, 1.0));
        library.slots[20].SetOdd(i, Trig::Cos(x * 7 * kPi) * 0.3 * a + (Trig::Sin(2 * x * kPi - kPhase) * 0.3777 + x) -
                                        Trig::Sin(x * 17 * kPi) * 0.15 * a);
        const double s = Trig::Sin(x * (x * x) * 6 * kTwoPi);
        library.slots[22].SetOdd(i, a * 0.75 * s + 0.5 * x + 0.25 * s);
    }
    // Both halves are taken before the sources are smoothed.
    CurveSlot& mixed = library.slots[21];
    for (int i = 0; i < kHalf; ++i)
    {
        mixed.Positive(i) = library.slots[19].Positive(i);
        mixed.Negative(i) = library.slots[20].Negative(i);
    }
    for (int slot : {19, 20, 21, 22})
    {
        library.SmoothCurveSlot(slot);
        library.PeakSlot(slot);
    }
}

void BuildCrunchyDrives(DistortionDataProvider& library)
{
    constexpr int kSawPeriod = 204;
    constexpr int kSquarePeriod30 = 128;
    constexpr int kSquarePeriod31 = 102;
    double sign30 = 0.5;
    double sign31 = 1.0;
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        const double a = 1.0 - x;
        library.slots[29].SetOdd(i, ((i % kSawPeriod) - 101.5) / 203 * a + x);
        library.slots[30].SetHalves(i, x + 0.2 + a * sign30, a * sign30 + x);
        library.slots[31].SetHalves(i, Trig::Sin(x * kHalfPi) + a * sign31 * a, a * sign31 * a + x);
        library.slots[32].SetHalves(i, Trig::Sin(x * kFourPi) * 1.25 * a + x, Trig::Sin(x * kEightPi) * 1.5 * a * a + x);
        if (i % kSquarePeriod30 == 0)
            sign30 = -sign30;
        if (i % kSquarePeriod31 == 0)
            sign31 = -sign31;
    }
    for (int slot : {29, 30, 31})
        library.PeakSlot(slot);
    library.ClampSlot(32);
}

void BuildMonsters(DistortionDataProvider& library)
{
    constexpr double kZombieLength = 768.0;
    constexpr double kMonsterAttack = 102.4;
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        double u = i / kZombieLength;
        double w = Trig::Sin(u * kTwoPi);
        if (u > 1.0)
        {
            w = 0.0;
            u = 1.0;
        }
        const double rise = Trig::Sin(x * kHalfPi);
        library.slots[39].SetOdd(i, (1.0 - u) * (1.0 - u) * (1.0 - u) * w + rise * rise * 0.8);
        const double dip = Trig::Sin(x * kPi);
        library.slots[40].SetOdd(i, Trig::Sin(std::min(1.0, i / kMonsterAttack) * kHalfPi) * ((1.0 - dip * dip + 0.2) * 0.8));
    }
}

void BuildWezmarkDrives(DistortionDataProvider& library)
{
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        const double a = 1.0 - x;
        library.slots[41].SetOdd(i, (Trig::Cos(x * 8 * kPi) * 0.5 + Trig::Sin(2 * x * 8 * kPi) * 0.5) * a + x);
        library.slots[42].SetOdd(i, (Trig::Cos(x * 6 * kPi) * 0.5 + Trig::Sin(2 * x * 6 * kPi) * 0.5 +
                                     Trig::Cos(4 * x * 6 * kPi) * 0.5) * a + x);
        library.slots[43].SetOdd(i, (Trig::Sin(3 * x * 5 * kPi) * 0.5 + Trig::Cos(5 * x * kPi) * 0.5 +
                                     Trig::Sin(5 * x * 5 * kPi) * 0.5) * a * a + x);
        library.slots[44].SetOdd(i, (Trig::Sin(3 * x * 4 * kPi) * 0.5 + Trig::Cos(4 * x * kPi) * 0.5 +
                                     Trig::Cos(4 * x * 4 * kPi) * 0.5 + Trig::Cos(5 * x * 4 * kPi) * 0.5) * a * a + x);
    }
    for (int slot : {41, 42, 43, 44})
        library.PeakSlot(slot);
}

void BuildNeoFuzzAndSaturator(DistortionDataProvider& library)
{
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        const double a = 1.0 - x;
        library.slots[52].SetOdd(i, i == 0 ? 0.0 : (Trig::Sin(x * kTwoPi) * a + std::tanh(x * 5)) * 0.6);
        library.slots[84].SetOdd(i, Trig::Sin(2 * x * kPi) * a + x - Trig::Cos(x * 3 * kPi) * x -
                                        Trig::Cos(x * 6 * kPi) * (x * x));
    }
    library.PeakSlot(84);
}
}

void BuildHarmonicCurves(DistortionDataProvider& library)
{
    BuildSigmoids(library);
    BuildCrunchyDrives(library);
    BuildMonsters(library);
    BuildWezmarkDrives(library);
    BuildNeoFuzzAndSaturator(library);
}
}
