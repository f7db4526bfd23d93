#include "dsp/units/files/CurveArrayFile.h"

#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/files/CurveNumberText.h"

#include <cstdio>

std::string CurveArrayFile::Format(const DistortionCurve& curve)
{
    const int32_t half = curve.count / 2;
    std::string text = "// Wezmark distortion-curve data: ";
    text += curve.name;
    text += '\n';
    text += "double curve_data[] = { \n";
    text += "  /* negative part */\n";
    int32_t onLine = 0;
    for (int32_t i = 0; i < curve.count; ++i)
    {
        if (onLine == 0)
            text += "  ";
        AppendFixed(text, curve.Points()[i], kDecimals);
        const bool last = i == curve.count - 1;
        if (!last)
            text += ',';
        ++onLine;
        if (onLine == kValuesPerLine || i == half - 1 || last)
        {
            text += '\n';
            onLine = 0;
        }
        if (i == half - 1)
            text += "  /* positive part */\n";
    }
    text += "  }; \n";
    return text;
}

bool CurveArrayFile::Export(const DistortionCurve* curve, const std::string& path)
{
    if (curve == nullptr)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr)
        return false;
    const std::string text = Format(*curve);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}
