#include "dsp/filters/ParamConverters.h"

#include <charconv>
#include <cmath>

namespace Dsp {

namespace {

double Log15(double value)
{
    return std::log(value) / std::log(1.5);
}

// Room for the longest double in fixed notation with a few decimals (309 digits, sign, point).
constexpr int kFixedTextSize = 320;

// to_chars is locale independent: a host that sets a decimal comma must not change the texts.
std::string FixedDecimals(double value, int decimals)
{
    char text[kFixedTextSize];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}

} // namespace

double LinearToNormalised(const ParamInfo& info, double value)
{
    return (value - info.minValue) / (info.maxValue - info.minValue);
}

double LinearFromNormalised(const ParamInfo& info, double normalised)
{
    return (info.maxValue - info.minValue) * normalised + info.minValue;
}

double NearestIntegerFromNormalised(const ParamInfo& info, double normalised)
{
    return std::floor((info.maxValue - info.minValue) * normalised + info.minValue + 0.5);
}

double Log15ToNormalised(const ParamInfo& info, double value)
{
    const double low = Log15(info.minValue);
    return (Log15(value) - low) / (Log15(info.maxValue) - low);
}

double Pow15FromNormalised(const ParamInfo& info, double normalised)
{
    const double low = Log15(info.minValue);
    return std::pow(1.5, (Log15(info.maxValue) - low) * normalised + low);
}

double Log2ToNormalised(const ParamInfo& info, double value)
{
    return (std::log2(value) - info.minValue) / (info.maxValue - info.minValue);
}

double Pow2FromNormalised(const ParamInfo& info, double normalised)
{
    return std::pow(2.0, (info.maxValue - info.minValue) * normalised + info.minValue);
}

std::string IntegerText(const ParamInfo&, double value)
{
    // Truncation toward zero, written without a sign for values between -1 and 0.
    const double truncated = std::trunc(value);
    return FixedDecimals(truncated == 0.0 ? 0.0 : truncated, 0);
}

std::string HertzText(const ParamInfo& info, double value)
{
    return IntegerText(info, value) + " Hz";
}

std::string FixedText(const ParamInfo&, double value)
{
    return FixedDecimals(value, 3);
}

std::string DecibelText(const ParamInfo&, double value)
{
    const double magnitude = std::fabs(value);
    const int decimals = magnitude < 1.0 ? 3 : (magnitude < 10.0 ? 2 : 1);
    return FixedDecimals(value, decimals) + " dB";
}

} // namespace Dsp
