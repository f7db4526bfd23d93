#pragma once

#include <string>

class DistortionCurve;

// The curve as a C source array for other programs, eight values to a line, its negative and
// positive halves under a comment each.
class CurveArrayFile
{
public:
    static constexpr int kDecimals = 15;
    static constexpr int kValuesPerLine = 8;

    static std::string Format(const DistortionCurve& curve);

    // Writes the text in text mode (the platform's line ends); true when it was written.
    static bool Export(const DistortionCurve* curve, const std::string& path);
};
