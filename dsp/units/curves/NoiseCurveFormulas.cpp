#include "dsp/units/curves/NoiseCurveFormulas.h"

#include "dsp/units/curves/CurveFormulaConstants.h"
#include "dsp/units/curves/DistortionDataProvider.h"
#include "dsp/units/curves/LcgRandom.h"
#include "dsp/units/curves/PortableTrig.h"

namespace Wezmark
{
namespace
{
using CurveFormula::kFourPi;
using CurveFormula::kPi;
using Trig = PortableTrig;

constexpr int kHalf = DistortionDataProvider::kHalf;

// A draw mapped to -1..1.
double Bipolar(LcgRandom& random)
{
    return 2 * random.NextUnit() - 1;
}

void BuildHumFrazzles(DistortionDataProvider& library, LcgRandom& random)
{
    constexpr int kHumLength = kHalf / 10;
    constexpr int kSwellLength = 2048 / 16;
    double alpha = 0.0;
    double beta = 0.0;
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        const double a = 1.0 - x;
        if (i % 4 == 0)
            beta = Bipolar(random);
        if (i % 2 == 0)
            alpha = Bipolar(random);
        const double r1 = random.NextUnit();
        const double r2 = random.NextUnit();
        alpha = alpha * 0.6 + x;
        beta = beta * 0.5 + x;
        if (i < kHumLength)
            beta += Trig::Sin(i / 102.0 * kPi * 3) * 0.5;
        if (i < kSwellLength)
        {
            const double swell = Trig::Sin(2.0 * i / 128.0 * kPi);
            alpha += swell * swell * 0.5;
        }
        alpha = alpha * a;
        const double b = (2 * r1 - 1) * 0.7 + x + Trig::Sin(x * kPi * 10) * 0.5 * a;
        const double c = (2 * r2 - 1) * 0.23456789 - Trig::Sin(x * kPi * kFourPi) * 0.4 * a + alpha;
        library.slots[23].SetHalves(i, beta, alpha);
        library.slots[24].SetHalves(i, alpha, b);
        library.slots[25].SetHalves(i, b, beta);
        library.slots[26].SetOdd(i, c);
    }
    for (int slot : {23, 24, 25, 26})
        library.ClampSlot(slot);
    for (int slot : {23, 24, 25, 26})
        library.SmoothCurveSlot(slot);
}

void BuildBigDrives(DistortionDataProvider& library, LcgRandom& random)
{
    double noise = 0.0;
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        const double a = 1.0 - x;
        const double r = random.NextUnit();
        if (i % 2 == 1)
            noise = Bipolar(random) * x;
        noise = noise * 0.777;
        const double s2 = Trig::Sin(2 * x * kPi);
        const double s4 = Trig::Sin(x * 4 * kPi);
        double e = 0.0;
        if (s2 > 0.0)
            e = s2 * 1.25 * s2 * a + (2 * r - 1) * 0.44;
        const double k = s4 > 0.0 ? s4 * a + 0.75 * x : 0.75 * x;
        library.slots[28].SetOdd(i, Trig::Cos(x * 10 * kPi) * 0.25 + (k + e) - Trig::Sin(x * 12 * kPi) * (a * 0.4) + noise);
        library.slots[27].SetOdd(i, Trig::Sin(x * 8 * kPi) * 0.25 + (2 * r - 1) * 0.44 + (x + s4));
    }
    for (int slot : {27, 28})
        library.ClampSlot(slot);
    for (int slot : {27, 28})
        library.SmoothCurveSlot(slot);
}

void BuildElDiablo(DistortionDataProvider& library, LcgRandom& random)
{
    CurveSlot& diablo = library.slots[33];
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        const double a = 1.0 - x;
        const double a3 = a * a * a;
        const double r1 = random.NextUnit();
        const double positive = Trig::Sin(x * 3 * kPi) * 1.5 * a + x + Trig::Sin(x * 6 * kPi) * a + ((2 * r1 - 1) * 0.5 + x) * a3;
        const double r2 = random.NextUnit();
        const double negative = Trig::Cos(x * 5 * kPi) * 1.25 * a + x + Trig::Sin(x * 10 * kPi) * a + ((2 * r2 - 1) * 0.5 + x) * a3;
        if (i == 0)
        {
            diablo.Positive(i) = 0.0;
            diablo.Negative(i) = 0.0;
        }
        else
        {
            diablo.SetHalves(i, positive, negative);
        }
    }
    library.ClampSlot(33);
}
}

void BuildNoiseCurves(DistortionDataProvider& library, LcgRandom& random)
{
    BuildHumFrazzles(library, random);
    BuildBigDrives(library, random);
    BuildElDiablo(library, random);
}
}
