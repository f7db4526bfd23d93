#include "dsp/units/curves/DriftingCurveFormulas.h"

#include "dsp/units/curves/CurveFormulaConstants.h"
#include "dsp/units/curves/DistortionDataProvider.h"
#include "dsp/units/curves/PortableTrig.h"

#include <algorithm>
#include <cmath>

namespace Wezmark
{
namespace
{
using CurveFormula::kFourPi;
using CurveFormula::kPi;
using CurveFormula::kTwoPi;
using Trig = PortableTrig;

constexpr int kHalf = DistortionDataProvider::kHalf;

struct Drift
{
    double d4 = 0.0;
    double d5 = 0.0;
    double e4 = 0.002700625;
    double e5 = 6.25e-5;
    double o1 = 1.875e-11;
    double o2 = 2.98125e-12;
    double o3 = 2.75e-12;
    double o4 = 3.675e-13;

    void Advance()
    {
        constexpr double kLimit = 0.2;
        if (d4 > kLimit || d4 < -kLimit)
            e4 = -e4;
        if (d5 > kLimit || d5 < -kLimit)
            e5 = -e5;
        o4 *= 2.0;
        d4 += e4;
        e4 += -0.0013125;
        d5 -= e5;
        e5 += -0.000125;
        o1 *= 2.0;
        o3 *= 2.0;
        o2 *= 2.0;
    }
};

struct Level
{
    int first;
    int last;
    bool positive;
    double factors[3];
};

// Level edits of slots 49, 50 and 51 over ranges of one half.
constexpr Level kLevels[] = {
    {300, 699, true, {0.25, 0.33, 0.33}},
    {100, 299, false, {0.1, 0.25, 0.33}},
    {400, 467, true, {0.25, 0.2, 0.1}},
    {800, 867, false, {0.25, 0.25, 0.33}},
};

void ApplyLevels(DistortionDataProvider& library)
{
    for (const Level& level : kLevels)
        for (int slot = 0; slot < 3; ++slot)
            for (int i = level.first; i <= level.last; ++i)
            {
                CurveSlot& target = library.slots[49 + slot];
                (level.positive ? target.Positive(i) : target.Negative(i)) *= level.factors[slot];
            }
}

void ApplyDips(DistortionDataProvider& library)
{
    for (int i = 0; i <= 199; ++i)
    {
        double& point = library.slots[50].Negative(i);
        point = -(Trig::Sin(i / 200.0 * kPi) * 0.7 + point);
    }
    for (int i = 0; i <= 399; ++i)
    {
        double& point = library.slots[51].Negative(i);
        point = point - Trig::Sin(i / 400.0 * kTwoPi) * 0.7;
    }
}
}

void BuildDriftingCurves(DistortionDataProvider& library)
{
    Drift drift;
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = library.InputAt(i);
        const double a = 1.0 - x;
        const double m = std::min(1.0, x * 1.7);
        drift.Advance();
        library.slots[49].SetHalves(i, x + drift.d4, x + drift.d5);
        library.slots[50].SetHalves(i, Trig::Sin((x + drift.o1) * kFourPi) * (a * 0.5) + m,
                                    std::fabs(Trig::Sin((x + drift.o3) * kFourPi)) * (a * 0.4 * a) + m);
        library.slots[51].SetHalves(i, m - Trig::Sin((x + drift.o2) * kTwoPi) * (a * 0.5),
                                    m - std::fabs(Trig::Sin((x + drift.o4) * kTwoPi)) * (a * 0.3 * a));
    }
    ApplyLevels(library);
    ApplyDips(library);
    for (int slot : {49, 50, 51})
        library.ClampSlot(slot);
}
}
