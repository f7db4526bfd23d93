#include "dsp/units/curves/EditedCurveFormulas.h"

#include "dsp/units/curves/CurveFormulaConstants.h"
#include "dsp/units/curves/DistortionDataProvider.h"
#include "dsp/units/curves/PortableTrig.h"

#include <array>
#include <cmath>
#include <vector>

namespace Wezmark
{
namespace
{
using CurveFormula::kPi;
using CurveFormula::kTwoPi;
using Trig = PortableTrig;

constexpr int kHalf = DistortionDataProvider::kHalf;
constexpr int kHalfCurveCount = 8;
using HalfCurves = std::array<std::vector<double>, kHalfCurveCount>;

void Fill(std::vector<double>& half, int first, int last, double value)
{
    for (int j = first; j <= last; ++j)
        half[j] = value;
}

void Scale(std::vector<double>& half, int first, int last, double factor)
{
    for (int j = first; j <= last; ++j)
        half[j] *= factor;
}

HalfCurves ComputeHalves()
{
    constexpr int kSawPeriod = 170;
    constexpr int kRampPeriod = 256;
    HalfCurves h;
    for (std::vector<double>& half : h)
        half.assign(kHalf, 0.0);
    double sign = -1.0;
    for (int i = 0; i < kHalf; ++i)
    {
        const double t = i / 1024.0;
        const double s = Trig::Sin(t * kPi);
        h[0][i] = t + s * 0.2 + std::fabs(Trig::Sin(t * 4 * kPi)) * 0.1;
        h[1][i] = t + s * 0.25 + std::fabs(Trig::Sin(t * 6 * kPi)) * 0.15;
        h[2][i] = t + s * 0.25 + std::fabs(Trig::Sin(t * 10 * kPi)) * 0.15;
        h[3][i] = t + s * 0.2 + std::fabs(Trig::Sin(t * 8 * kPi)) * 0.25;
        if (i % kSawPeriod == 0)
            sign = -sign;
        const double saw = (i % kSawPeriod) / 170.0 * sign * 1.5 * (1.0 - t);
        h[4][i] = t - s * 0.2 + saw;
        h[5][i] = t - s * 0.1 + saw;
        const double ramp = (i % kRampPeriod) * 0.00390625 * 1.75 * (1.0 - t);
        h[6][i] = t + Trig::Sin(t * kTwoPi) * 0.1 + ramp;
        h[7][i] = t + Trig::Sin(t * kTwoPi) * 0.2 + ramp;
    }
    return h;
}

// Cut, paste and level edits; each source point is read when it is used.
void Edit(HalfCurves& h)
{
    for (int k = 0; k <= 399; ++k)
    {
        const int j = 220 + k;
        h[0][j] = h[0][299];
        h[2][j] = h[2][299] + 0.01 * k;
    }
    for (int k = 0; k <= 199; ++k)
    {
        h[2][100 + k] = 0.01 * k;
        h[0][20 + k] = 0.0;
    }
    Fill(h[0], 400, 467, 1.0);
    Fill(h[0], 800, 867, 1.0);
    Fill(h[1], 800, 867, 0.0);
    Scale(h[1], 720, 787, 0.0);
    Fill(h[3], 600, 799, 0.0);
    Fill(h[1], 600, 799, 1.0);
    Fill(h[1], 28, 175, 0.0);
    Fill(h[0], 28, 175, 1.0);
    for (int j = 68; j <= 215; ++j)
    {
        h[2][j] *= 0.1;
        h[3][j] = 1.0;
    }
}
}

void BuildEditedCurves(DistortionDataProvider& library)
{
    HalfCurves h = ComputeHalves();
    Edit(h);
    for (int i = 0; i < kHalf; ++i)
    {
        library.slots[45].SetHalves(i, h[0][i], h[1][i]);
        library.slots[46].SetHalves(i, h[2][i], h[3][i]);
        library.slots[47].SetHalves(i, h[4][i], h[5][i]);
        library.slots[48].SetHalves(i, h[6][i], h[7][i]);
    }
    library.ClampSlot(45);
    library.ClampSlot(46);
    library.PeakSlot(47);
    library.PeakSlot(48);
    library.SmoothCurveSlot(48);
}
}
