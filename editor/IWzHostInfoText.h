#pragma once

#include "graphics/ITextControl.h"

// The plug-in's sample rate and the host's tempo.
class IWzHostInfoText : public ITextControl
{
public:
    IWzHostInfoText(IEffectBase* plug, const Rect& rect, const TextStyle* style);

    bool Draw(IGraphics* graphics) override;
};
