#include "editor/IWzGraphLabel.h"

#include "graphics/IGraphics.h"

IWzGraphLabel::IWzGraphLabel(IEffectBase* plug, const Rect& rect, const TextStyle* style, const char* text,
                             const ArgbColour& backdrop)
    : ITextControl(plug, rect, style, text), mBackdrop(backdrop)
{
}

bool IWzGraphLabel::Draw(IGraphics* graphics)
{
    char text[PublishedText::kCapacity];
    mText.CopyTo(text, sizeof text);
    if (text[0] == '\0')
        return true;
    Rect letters = mDrawRect;
    graphics->MeasureText(&mTextStyle, text, &letters);
    const Rect backdrop = Rect{letters.left - kMargin, mDrawRect.top, letters.right + kMargin, mDrawRect.bottom}
                              .Intersection(mDrawRect);
    const BlendSpec opaque{BlendSpec::kCopy, 1.0f};
    graphics->FillRect(&mBackdrop, &backdrop, &opaque);
    return DrawOwnText(graphics, text);
}
