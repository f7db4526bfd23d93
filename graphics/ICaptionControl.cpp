#include "graphics/ICaptionControl.h"

ICaptionControl::ICaptionControl(IEffectBase* plug, const Rect& rect, int paramIndex, const TextStyle* style,
                                 bool showLabel)
    : ITextControl(plug, rect, style, ""), mShowLabel(showLabel)
{
    mParamIndex = paramIndex;
}

void ICaptionControl::OnMouseDown(int, int, const MouseModifiers* mods)
{
    if (mods && (mods->left || mods->right))
        PromptForValue();
}

void ICaptionControl::OnMouseDoubleClick(int, int, const MouseModifiers*)
{
    PromptForValue();
}

bool ICaptionControl::Draw(IGraphics* graphics)
{
    char text[PublishedText::kCapacity];
    if (!FormatValueText(text, sizeof(text), mShowLabel))
        return true;
    mText.Set(text);
    return DrawOwnText(graphics, text);
}
