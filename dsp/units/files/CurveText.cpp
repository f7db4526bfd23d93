#include "dsp/units/files/CurveText.h"

#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/files/CurveNumberText.h"

namespace
{
// "-1.0000000000," is 14 characters; reserve once per text.
constexpr size_t kCharactersPerValue = 14;
}

std::string& CurveText::Write(const DistortionCurve& curve, std::string& text)
{
    text.clear();
    text.reserve(curve.count * kCharactersPerValue);
    for (int32_t i = 0; i < curve.count; ++i)
    {
        if (i > 0)
            text += ',';
        AppendFixed(text, curve.Points()[i], kDecimals);
    }
    return text;
}

std::vector<double> CurveText::ReadValues(std::string_view text, int32_t count)
{
    std::vector<double> values;
    if (count <= 0)
        return values;
    values.reserve(count);
    size_t start = 0;
    while (static_cast<int32_t>(values.size()) < count)
    {
        const size_t comma = text.find(',', start);
        values.push_back(ParseCurveNumber(text.substr(start, comma == std::string_view::npos ? std::string_view::npos
                                                                                             : comma - start)));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return values;
}

bool CurveText::Read(DistortionCurve& curve, std::string_view text)
{
    if (curve.Shares())
        return false;
    const std::vector<double> values = ReadValues(text, curve.count);
    if (static_cast<int32_t>(values.size()) < curve.count)
        return false;
    curve.SetPoints(values);
    return true;
}
