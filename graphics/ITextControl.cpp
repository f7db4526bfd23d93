#include "graphics/ITextControl.h"

#include "graphics/IGraphics.h"

ITextControl::ITextControl(IEffectBase* plug, const Rect& rect, const TextStyle* style, const char* text)
    : IControl(plug, rect, -1, BlendSpec{})
{
    if (style)
        SetTextStyle(*style);
    mText.Set(text);
}

void ITextControl::SetTextFromPlug(const char* text)
{
    if (mText.Set(text))
        SetDirty(false);
}

bool ITextControl::DrawOwnText(IGraphics* graphics, const char* text)
{
    if (!text || text[0] == '\0')
        return true;
    Rect rect = mDrawRect;
    return graphics->DrawText(&mTextStyle, text, &rect, false);
}

bool ITextControl::Draw(IGraphics* graphics)
{
    char text[PublishedText::kCapacity];
    mText.CopyTo(text, sizeof(text));
    return DrawOwnText(graphics, text);
}
