#include "editor/IWzHostInfoText.h"

#include "framework/IEffectBase.h"

#include <cstdio>

IWzHostInfoText::IWzHostInfoText(IEffectBase* plug, const Rect& rect, const TextStyle* style)
    : ITextControl(plug, rect, style)
{
}

bool IWzHostInfoText::Draw(IGraphics* graphics)
{
    if (mPlug)
    {
        char text[PublishedText::kCapacity];
        std::snprintf(text, sizeof text, "SAMPLE RATE: %7.2f Hz    TEMPO: %7.3f BPM", mPlug->GetSampleRate(),
                      mPlug->GetTempo());
        if (!mText.Equals(text))
        {
            SetDirty(false);
            mText.Set(text);
        }
    }
    return ITextControl::Draw(graphics);
}
