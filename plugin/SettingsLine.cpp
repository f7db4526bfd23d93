#include "plugin/SettingsLine.h"

#include "dsp/units/files/CurveNumberText.h"

#include <charconv>
#include <system_error>

namespace
{
constexpr std::string_view kSeparator = " = ";
constexpr char kTerminator = ';';
constexpr int kSignificantDigits = 6;
// Room for any double in "%g" form.
constexpr size_t kNumberBufferSize = 32;
// At least this many characters must follow the separator for a value to count.
constexpr size_t kShortestValue = 2;
}

void AppendSettingLine(std::string& text, std::string_view key, std::string_view value)
{
    text.append(key);
    text.append(kSeparator);
    text.append(value);
    text.push_back(kTerminator);
    text.push_back('\n');
}

std::string FormatSettingNumber(double value)
{
    char buffer[kNumberBufferSize];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, kSignificantDigits);
    if (result.ec != std::errc())
        return "0";
    return std::string(buffer, result.ptr);
}

std::string ParseLineString(std::string_view line)
{
    const size_t separator = line.find(kSeparator);
    if (separator == std::string_view::npos || line.find(kTerminator) == std::string_view::npos)
        return {};
    const size_t valueStart = separator + kSeparator.size();
    if (line.size() < valueStart + kShortestValue)
        return {};
    return std::string(line.substr(valueStart, line.size() - 1 - valueStart));
}

double ParseLineNumber(std::string_view line)
{
    return ParseCurveNumber(ParseLineString(line));
}
