// Curve text as program files and comma-separated curve files deliver it: whatever the text,
// the curve must end up with finite points within -1..1, or stay as it was.
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/files/CurveNumberText.h"
#include "dsp/units/files/CurveText.h"
#include "dsp/units/path/Distortion.h"
#include "fuzz/CurveCheck.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the curve's length: 0 the full curve of an import, so that whole
    // files are read; any other value a short curve of 1 to 16 points, which most inputs fill.
    constexpr int kLongestShortCurve = 16;
    const int length = data[0] == 0 ? Wezmark::Distortion::kCurvePoints : 1 + (data[0] - 1) % kLongestShortCurve;
    DistortionCurve curve(static_cast<uint16_t>(length));
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    ParseCurveNumber(text);
    if (CurveText::Read(curve, text))
        CheckCurvePoints(curve);
    return 0;
}
