#pragma once

#include "graphics/ITextControl.h"

#include <cstddef>
#include <functional>

// The largest output level since the last reset, in dB; red once the output clipped.
class IWzMaxLevelText : public ITextControl
{
public:
    static constexpr ArgbColour kNormalColour{255, 127, 255, 255};
    static constexpr ArgbColour kClipColour{255, 255, 0, 0};

    // `levelHold` answers the hold of channel 0 (left) or 1 (right).
    IWzMaxLevelText(IEffectBase* plug, const Rect& rect, const TextStyle* style,
                    std::function<double(int channel)> levelHold);

    bool Draw(IGraphics* graphics) override;

    // The text and colour for a largest absolute sample `level`.
    static void FormatLevel(double level, char* out, size_t size, ArgbColour* colour);

private:
    std::function<double(int channel)> mLevelHold;
};
