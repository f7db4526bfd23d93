#pragma once

#include "graphics/IControl.h"

// A text drawn in the control's style. The text may be set from any thread: it is
// published through a fixed buffer and drawn on the next tick.
class ITextControl : public IControl
{
public:
    ITextControl(IEffectBase* plug, const Rect& rect, const TextStyle* style, const char* text = "");

    bool Draw(IGraphics* graphics) override;

    // Marks the control dirty when the text changes.
    void SetTextFromPlug(const char* text);
    void GetText(char* out, int size) const { mText.CopyTo(out, size); }
    bool TextEquals(const char* text) const { return mText.Equals(text); }

protected:
    // Draws a text with the control's style in its draw rect; an empty text draws nothing.
    bool DrawOwnText(IGraphics* graphics, const char* text);

    PublishedText mText;
};
