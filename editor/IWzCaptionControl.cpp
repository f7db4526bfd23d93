#include "editor/IWzCaptionControl.h"

#include "framework/IEffectBase.h"
#include "framework/IParameter.h"
#include "framework/SignlessZero.h"

#include <cmath>
#include <cstdio>

namespace
{
constexpr int kFineDecimals = 3;
constexpr int kCoarseDecimals = 1;
constexpr double kSemitoneRange = 24.0;
constexpr double kSemitoneOffset = 12.0;
}

IWzCaptionControl::IWzCaptionControl(IEffectBase* plug, const Rect& rect, int paramIndex, const TextStyle* style,
                                     int format, bool showLabel, double scale, double offset, const char* unit)
    : ICaptionControl(plug, rect, paramIndex, style, showLabel), mFormat(format), mScale(scale), mOffset(offset),
      mUnit(unit ? unit : "")
{
}

bool IWzCaptionControl::FormatNumber(double x, char* out, size_t size) const
{
    return FormatNumber(mFormat, x, out, size, mScale, mOffset, mUnit.c_str());
}

bool IWzCaptionControl::FormatNumber(int format, double x, char* out, size_t size, double scale, double offset,
                                     const char* unit)
{
    switch (format)
    {
    case kDecibels:
        if (x <= 0.0)
        {
            std::snprintf(out, size, "-inf dB");
            return true;
        }
        SignlessZero::SignedDecibels(out, size, 20.0 * std::log10(x));
        return true;
    case kPercent:
        std::snprintf(out, size, "%3.1f%%", SignlessZero::Clean(x * 100.0, kCoarseDecimals));
        return true;
    case kSemitones:
        std::snprintf(out, size, "%4.3f", SignlessZero::Clean(x * kSemitoneRange - kSemitoneOffset, kFineDecimals));
        return true;
    case kBipolar:
        std::snprintf(out, size, "%4.3f", SignlessZero::Clean(2.0 * x - 1.0, kFineDecimals));
        return true;
    case kCentred:
        std::snprintf(out, size, "%4.3f", SignlessZero::Clean(x - 0.5, kFineDecimals));
        return true;
    case kScaledFine:
        std::snprintf(out, size, "%4.3f%s", SignlessZero::Clean(x * scale + offset, kFineDecimals), unit);
        return true;
    case kScaledCoarse:
        std::snprintf(out, size, "%4.1f%s", SignlessZero::Clean(x * scale + offset, kCoarseDecimals), unit);
        return true;
    case kCentredDoubled:
        std::snprintf(out, size, "%4.3f", SignlessZero::Clean((x - 0.5) * 2.0, kFineDecimals));
        return true;
    default:
        return false;
    }
}

bool IWzCaptionControl::Draw(IGraphics* graphics)
{
    const IParameter* param = mPlug ? mPlug->GetParam(mParamIndex) : nullptr;
    if (!param)
        return true;
    // The control's own value: the plug-in may be changing the parameter on another thread.
    // The plug-in's text for the value, the one hosts are shown, where it has one.
    char text[PublishedText::kCapacity];
    const double value = param->FromNormalized(GetValue());
    if (!mPlug->FormatParamText(mParamIndex, value, text, sizeof text) && !FormatNumber(value, text, sizeof text))
        FormatValueText(text, sizeof text, mShowLabel);
    mText.Set(text);
    return DrawOwnText(graphics, text);
}
