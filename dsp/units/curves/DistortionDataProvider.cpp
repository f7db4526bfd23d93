#include "dsp/units/curves/DistortionDataProvider.h"

#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/curves/DriftingCurveFormulas.h"
#include "dsp/units/curves/EditedCurveFormulas.h"
#include "dsp/units/curves/HarmonicCurveFormulas.h"
#include "dsp/units/curves/NoiseCurveFormulas.h"
#include "dsp/units/curves/SimpleCurveFormulas.h"
#include "dsp/units/curves/StoredCurveTables.h"

namespace Wezmark
{
namespace
{
constexpr double kIdentityStep = 2.0 / 2047.0;
}

DistortionDataProvider::DistortionDataProvider()
{
    BuildCurves();
}

void DistortionDataProvider::BuildCurves()
{
    mRandom.Seed(kBuildSeed);
    std::vector<double>& identity = slots[0].points;
    for (int j = 0; j < CurveSlot::kPointCount; ++j)
        identity[j] = j * kIdentityStep - 1.0;

    // Only the noise formulas draw from the generator, so the other groups may run in any order.
    BuildSimpleCurves(*this);
    BuildHarmonicCurves(*this);
    BuildNoiseCurves(*this, mRandom);
    BuildEditedCurves(*this);
    BuildDriftingCurves(*this);
    LoadStoredCurves();
}

void DistortionDataProvider::SmoothCurveSlot(int slot)
{
    std::vector<double>& point = slots[slot].points;
    const int count = slots[slot].count;
    double previous = (point[0] - 1.0) * 0.25;
    for (int j = 0; j < count; ++j)
    {
        point[j] = ClampToUnit((previous + point[j]) * 0.5);
        previous = point[j];
    }
    previous = (point[count - 1] + 1.0) * 0.25;
    for (int j = count - 1; j >= 0; --j)
    {
        point[j] = ClampToUnit((previous + point[j]) * 0.5);
        previous = point[j];
    }
}

void DistortionDataProvider::FillSoftClipCurve(int slot, double threshold, double kneeWidth, double ratio)
{
    CurveSlot& target = slots[slot];
    target.points = slots[0].points;
    const double kneeStart = threshold - 0.5 * kneeWidth;
    const double kneeEnd = threshold + 0.5 * kneeWidth;
    double kneeValue = 0.0;
    for (int i = 0; i < kHalf; ++i)
    {
        const double x = InputAt(i);
        double value = x;
        if (x >= kneeStart && x < kneeEnd)
        {
            const double d = (x - threshold) + 0.5 * kneeWidth;
            value = (1.0 / ratio - 1.0) * d * d / (kneeWidth + kneeWidth) + x;
            kneeValue = value;
        }
        else if (x >= kneeEnd)
        {
            value = kneeValue;
        }
        target.SetOdd(i, value);
    }
}

void DistortionDataProvider::LoadStoredCurve(int slot, const double* table)
{
    DistortionCurve stored(StoredCurveTables::kPointCount);
    stored.SetPoints(table, StoredCurveTables::kPointCount);
    std::vector<double>& point = slots[slot].points;
    for (int j = 0; j < slots[slot].count; ++j)
        point[j] = stored.Lookup(j * kIdentityStep - 1.0, stored.Points());
}

void DistortionDataProvider::LoadStoredCurves()
{
    for (int k = 0; k < StoredCurveTables::kTableCount; ++k)
        LoadStoredCurve(StoredCurveTables::kFirstSlot + k, StoredCurveTables::kTables[k]);
}

void DistortionDataProvider::ClampSlot(int slot)
{
    ClampCurvePoints(slots[slot].points.data(), slots[slot].count);
}

void DistortionDataProvider::PeakSlot(int slot)
{
    ScaleCurveToPeak(slots[slot].points.data(), slots[slot].count, 1.0);
}
}
