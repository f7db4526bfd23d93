// Curve text as program files and comma-separated curve files deliver it: whatever the text,
// the curve must end up with finite points within -1..1, or stay as it was.
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/files/CurveNumberText.h"
#include "dsp/units/files/CurveText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // Short curves let most inputs reach the full read; the first byte picks the length.
    constexpr int kLongestCurve = 16;
    DistortionCurve curve(static_cast<uint16_t>(1 + data[0] % kLongestCurve));
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    ParseCurveNumber(text);
    if (CurveText::Read(curve, text))
    {
        for (int32_t i = 0; i < curve.count; ++i)
        {
            const double p = curve.Points()[i];
            if (!std::isfinite(p) || p < -1.0 || p > 1.0)
                std::abort();
        }
    }
    return 0;
}
