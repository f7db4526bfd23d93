#include "plugin/ProgramTextFile.h"

#include "dsp/units/curves/CurveId.h"
#include "dsp/units/curves/ParseCurveName.h"
#include "dsp/units/curves/ShapeCatalogue.h"
#include "dsp/units/files/CurveNumberText.h"
#include "dsp/units/filters/FilterType.h"
#include "dsp/units/path/RoundedIndex.h"
#include "plugin/ParamIndex.h"
#include "plugin/SettingsLine.h"
#include "plugin/TextLineReader.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace
{
using Wezmark::ZarvotoneProgram;

constexpr char kProgramHeader[] = "[Zarvotone_Program]";
constexpr char kConfigHeader[] = "[Zarvotone_Config]";
constexpr char kNameKey[] = "Name";
constexpr char kCurveKey[] = "DistortionCurveData";
// The value starts two places after the '=', behind its blank.
constexpr size_t kValueSkip = 2;
// A key line needs at least this many characters before its '='.
constexpr size_t kShortestKeyEnd = 3;
constexpr int kLastFilterType = kFilterTypeCount - 1;

bool Contains(std::string_view line, std::string_view text)
{
    return line.find(text) != std::string_view::npos;
}

bool IsFilterTypeIndex(int index)
{
    return index == kParamFilter1Type || index == kParamFilter2Type;
}

uint32_t Choice(double value, int lastChoice)
{
    return RoundedIndex(std::clamp(value, 0.0, 1.0) * lastChoice);
}

std::string ValueText(const ZarvotoneProgram& program, int index)
{
    const double value = program.GetValue(index);
    if (index == kParamDistortionType)
        return GetDistortionShapeName(Choice(value, kLastCurveId));
    if (IsFilterTypeIndex(index))
        return GetFilterTypeName(static_cast<int>(Choice(value, kLastFilterType)));
    return FormatSettingNumber(value);
}

// A known name or older alias first, then the display names; 0 for a name known to neither.
CurveId CurveOfName(std::string_view name)
{
    if (const CurveId id = ParseCurveName(name); id != 0)
        return id;
    for (CurveId id = 0; id < kCurveIdCount; ++id)
        if (name == GetDistortionShapeName(id))
            return id;
    return 0;
}

void SetFromText(ZarvotoneProgram& program, int index, std::string_view text)
{
    if (index == kParamDistortionType)
    {
        program.SetValue(index, static_cast<double>(CurveOfName(text)) / kLastCurveId);
    }
    else if (IsFilterTypeIndex(index))
    {
        program.SetValue(index, static_cast<double>(ParseFilterType(std::string(text).c_str())) / kLastFilterType);
    }
    else
    {
        const double value = ParseCurveNumber(text);
        if (std::isfinite(value))
            program.SetValue(index, value);
    }
}

// The '=' and the ';' of a line whose value has at least one character.
struct LineParts
{
    size_t equals = std::string_view::npos;
    size_t terminator = std::string_view::npos;

    explicit LineParts(std::string_view line) : equals(line.find('=')), terminator(line.find(';')) {}

    bool HasValue() const
    {
        return equals != std::string_view::npos && terminator != std::string_view::npos &&
               terminator > equals + kValueSkip;
    }
    std::string_view Value(std::string_view line) const
    {
        return line.substr(equals + kValueSkip, terminator - equals - kValueSkip);
    }
};
}

void ProgramTextFile::AppendSection(std::string& text, const std::string& name, const ZarvotoneProgram& program,
                                    const std::string& curveText)
{
    text.append(kProgramHeader);
    text.push_back('\n');
    AppendSettingLine(text, kNameKey, name);
    for (int index = 0; index < kTotalParamCount; ++index)
        AppendSettingLine(text, program.KeyOfIndex(index), ValueText(program, index));
    AppendSettingLine(text, kCurveKey, curveText);
}

void ProgramTextFile::Read(std::istream& in, ZarvotoneProgram& program, std::string& curveText)
{
    TextLineReader reader(in);
    // -1 until the name line has gone by; every line after the header but a curve line counts.
    int handledLines = -1;
    std::string_view line;
    while (reader.Next(line))
    {
        if (Contains(line, kProgramHeader))
            continue;
        if (Contains(line, kConfigHeader))
            break;
        const LineParts parts(line);
        if (handledLines >= 0 && Contains(line, kCurveKey) && parts.HasValue())
        {
            curveText = parts.Value(line);
            continue;
        }
        if (parts.HasValue() && parts.equals >= kShortestKeyEnd)
        {
            const std::string_view value = parts.Value(line);
            if (handledLines < 0)
                program.SetName(std::string(value.substr(0, kNameLength)));
            else
                SetFromText(program, program.IndexOfKey(line.substr(0, parts.equals - 1)), value);
        }
        ++handledLines;
    }
}
