#pragma once

#include "graphics/ITextControl.h"

// Shows the bound parameter's display text for its current value, optionally with its
// label; the text is formatted on the UI thread while drawing.
class ICaptionControl : public ITextControl
{
public:
    ICaptionControl(IEffectBase* plug, const Rect& rect, int paramIndex, const TextStyle* style, bool showLabel);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    void OnMouseDoubleClick(int x, int y, const MouseModifiers* mods) override;
    bool Draw(IGraphics* graphics) override;

protected:
    bool mShowLabel;
};
