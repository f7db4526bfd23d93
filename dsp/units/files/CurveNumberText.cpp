#include "dsp/units/files/CurveNumberText.h"

#include <charconv>
#include <system_error>

namespace
{
// Room for the longest fixed-notation double: 309 integer digits, sign, point and decimals.
constexpr size_t kFixedBufferSize = 400;
constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool StartsHexNumber(std::string_view text)
{
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return false;
    return IsHexDigit(text[2]) || (text[2] == '.' && text.size() > 3 && IsHexDigit(text[3]));
}
}

void AppendFixed(std::string& text, double value, int decimals)
{
    char buffer[kFixedBufferSize];
    const std::to_chars_result result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec == std::errc())
        text.append(buffer, result.ptr);
}

std::string FormatFixed(double value, int decimals)
{
    std::string text;
    AppendFixed(text, value, decimals);
    return text;
}

double ParseCurveNumber(std::string_view text)
{
    const size_t start = text.find_first_not_of(kWhiteSpace);
    if (start == std::string_view::npos)
        return 0.0;
    text.remove_prefix(start);

    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-'))
    {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::chars_format format = std::chars_format::general;
    if (StartsHexNumber(text))
    {
        format = std::chars_format::hex;
        text.remove_prefix(2);
    }
    // from_chars takes no sign of its own after the one handled above.
    if (!text.empty() && (text[0] == '+' || text[0] == '-'))
        return 0.0;

    double value = 0.0;
    const std::from_chars_result result = std::from_chars(text.data(), text.data() + text.size(), value, format);
    if (result.ec != std::errc())
        return 0.0;
    return negative ? -value : value;
}
