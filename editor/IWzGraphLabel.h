#pragma once

#include "framework/ArgbColour.h"
#include "graphics/ITextControl.h"

// A text that sits on a graph: it is drawn on a backdrop of the display's own colour, just
// around its letters, so the lines under it do not run through them.
class IWzGraphLabel : public ITextControl
{
public:
    IWzGraphLabel(IEffectBase* plug, const Rect& rect, const TextStyle* style, const char* text,
                  const ArgbColour& backdrop);

    bool Draw(IGraphics* graphics) override;

    // Room kept clear around the letters.
    static constexpr int32_t kMargin = 2;

private:
    ArgbColour mBackdrop;
};
