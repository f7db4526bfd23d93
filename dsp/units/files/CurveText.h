#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class DistortionCurve;

// The curve as text: its points as fixed-point numbers with 10 decimals, separated by single
// commas, nothing else. Program files embed it; comma-separated curve files hold it alone.
class CurveText
{
public:
    static constexpr int kDecimals = 10;

    // Writes the curve's points into `text` (replacing its contents) and returns it.
    static std::string& Write(const DistortionCurve& curve, std::string& text);

    // Takes the first `count` comma-separated numbers into the curve; false, and the curve
    // unchanged, when the text holds fewer or the curve reads shared tables.
    static bool Read(DistortionCurve& curve, std::string_view text);

    // Converts the pieces between commas until `count` values are read or the text ends; an
    // empty or non-numeric piece reads as 0. Returns the values read.
    static std::vector<double> ReadValues(std::string_view text, int32_t count);
};
