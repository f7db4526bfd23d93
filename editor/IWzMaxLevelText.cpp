#include "editor/IWzMaxLevelText.h"

#include "framework/SignlessZero.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

IWzMaxLevelText::IWzMaxLevelText(IEffectBase* plug, const Rect& rect, const TextStyle* style,
                                 std::function<double(int channel)> levelHold)
    : ITextControl(plug, rect, style), mLevelHold(std::move(levelHold))
{
}

void IWzMaxLevelText::FormatLevel(double level, char* out, size_t size, ArgbColour* colour)
{
    if (level > 0.0)
        std::snprintf(out, size, "MAX LEVEL: %3.1f dB", SignlessZero::Clean(20.0 * std::log10(level), 1));
    else
        std::snprintf(out, size, "MAX LEVEL: -oo dB");
    *colour = level > 1.0 ? kClipColour : kNormalColour;
}

bool IWzMaxLevelText::Draw(IGraphics* graphics)
{
    if (mLevelHold)
    {
        char text[PublishedText::kCapacity];
        FormatLevel(std::max(mLevelHold(0), mLevelHold(1)), text, sizeof text, &mTextStyle.colour);
        if (!mText.Equals(text))
        {
            SetDirty(false);
            mText.Set(text);
        }
    }
    return ITextControl::Draw(graphics);
}
