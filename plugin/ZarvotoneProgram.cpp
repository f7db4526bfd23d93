#include "plugin/ZarvotoneProgram.h"

#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/path/Distortion.h"
#include "dsp/units/path/RoundedIndex.h"
#include "plugin/ParameterTable.h"
#include "plugin/ProgramTextFile.h"
#include "plugin/StateBlock.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>

namespace Wezmark
{
namespace
{
constexpr int kKeyTextSize = 32;

// The order in which the key table is stored; lookups do not depend on it.
constexpr std::array<int, kWorkingParamCount> kKeyOrder = {
    0,  1,  2,  3,  4,  30, 31, 32, 33, 34, 57, 58, 5,  6,  7,  9,  10, 11, 12, 8,  13, 14,
    15, 16, 17, 18, 19, 20, 21, 22, 24, 25, 26, 27, 28, 23, 29, 35, 36, 37, 38, 39, 40, 41,
    42, 43, 44, 45, 47, 49, 48, 50, 46, 51, 52, 53, 54, 55, 62, 56, 60, 59, 64, 61, 63,
};

struct NamedRecord
{
    int index;
    const char* displayName;
};

// The named records in slot order.
constexpr std::array<NamedRecord, ProgramParameters::kNamedSlotCount> kNamedRecords = {{
    {kParamLimiterLevel, "Output Limiter Level"},
    {kParamLimiterMode, "Output Limiter Mode"},
    {kParamAutoMakeUp, "Auto Make-Up"},
    {kParamOversampling, "Oversampling Mode"},
    {kParamVolume, "Output Volume"},
}};

struct InitialValue
{
    int index;
    double value;
};

// What a new program holds beyond the defaults (some entries restate a default).
constexpr InitialValue kInitialValues[] = {
    {kParamQuantization, 0.0},      {kParamDistortionAmount, 0.0},  {kParamDistortionType, 0.0},
    {kParamDistortionMode, 0.0},    {kParamCurveInterpolation, 0.0}, {kParamDistortionPolarity, 0.0},
    {kParamPreFilterProcess, 0.0},  {kParamPostFilterProcess, 1.0}, {kParamShaperWidth, 0.25},
    {kParamFilterBalance, 1.0},     {kParamFilterCutoff, 0.0},      {kParamSubBandOn, 1.0},
    {kParamLimiterMode, 1.0 / 3.0}, {kParamVolume, 0.5},
};
}

ZarvotoneProgram::ZarvotoneProgram()
{
    BuildKeyTable();
    ResetToDefaults(mValues);
    mName = kInitialName;
    for (const InitialValue& initial : kInitialValues)
        SetValue(initial.index, initial.value);
}

void ZarvotoneProgram::BuildKeyTable()
{
    for (size_t slot = 0; slot < kNamedRecords.size(); ++slot)
    {
        NamedParameter& record = mValues.named[slot];
        record.index = kNamedRecords[slot].index;
        record.displayName = kNamedRecords[slot].displayName;
        record.fileKey = GetParameterDefinition(record.index).fileKey;
    }
    mKeys.reserve(kTotalParamCount);
    for (int index : kKeyOrder)
        mKeys.push_back({GetParameterDefinition(index).fileKey, index});
    char key[kKeyTextSize];
    for (int index = kFirstReservedParam; index < kTotalParamCount; ++index)
    {
        FormatReservedParamKey(index, key, kKeyTextSize);
        mKeys.push_back({key, index});
    }
}

void ZarvotoneProgram::ResetToDefaults(ProgramParameters& values)
{
    for (int index = 0; index < kWorkingParamCount; ++index)
        values.Store(index, GetParameterDefinition(index).defaultValue);
}

double ZarvotoneProgram::GetValue(int index) const
{
    return mValues.Get(index);
}

void ZarvotoneProgram::SetValue(int index, double value)
{
    if (std::isnan(value))
        return;
    mValues.Store(index, std::clamp(value, 0.0, 1.0));
}

std::string_view ZarvotoneProgram::KeyOfIndex(int index) const
{
    for (const ProgramKey& entry : mKeys)
        if (entry.index == index)
            return entry.key;
    return {};
}

int ZarvotoneProgram::IndexOfKey(std::string_view key) const
{
    for (const ProgramKey& entry : mKeys)
        if (entry.key == key)
            return entry.index;
    return kTotalParamCount;
}

bool ZarvotoneProgram::LoadFromFile(const std::string& path, std::string& curveText)
{
    if (path.empty())
        return false;
    // Binary, so that the reader sees and drops the CR of a file saved on Windows.
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open())
        return false;
    ProgramTextFile::Read(in, *this, curveText);
    return true;
}

// Built-in curves have the points of a state block's curve.
static_assert(Distortion::kCurvePoints == StateBlock::kCurvePoints);

std::vector<double> ZarvotoneProgram::ToPresetValues(const Distortion& distortion) const
{
    std::vector<double> values(static_cast<size_t>(StateBlock::kValueCount), 0.0);
    const CurveId curve = RoundedIndex(std::clamp(GetValue(kParamDistortionType), 0.0, 1.0) * kLastCurveId);
    if (const double* points = distortion.GetBuiltinCurveData(curve))
    {
        // As the curve holds them once loaded, so a factory preset reads back byte for byte.
        std::transform(points, points + StateBlock::kCurvePoints, values.begin(), FiniteOrZero);
        ClampCurvePoints(values.data(), StateBlock::kCurvePoints);
    }
    for (int index = 0; index < kTotalParamCount; ++index)
        values[static_cast<size_t>(StateBlock::kCurvePoints + index)] = GetValue(index);
    return values;
}
}
