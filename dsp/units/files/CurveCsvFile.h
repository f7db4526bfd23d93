#pragma once

#include <cstdint>
#include <string>

class DistortionCurve;

// A comma-separated curve file: the curve text alone, line breaks allowed after commas.
class CurveCsvFile
{
public:
    // Files this long or longer are refused, as for WAV curves.
    static constexpr int64_t kMaxFileBytes = 0xA00000;

    // Takes the file's first `count` numbers into the curve; false, and the curve unchanged,
    // when there is no curve, the file cannot be read or is too long, or it holds fewer numbers.
    static bool Import(DistortionCurve* curve, const std::string& path);
};
