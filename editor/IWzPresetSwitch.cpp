#include "editor/IWzPresetSwitch.h"

#include "framework/IEffectBase.h"

namespace
{
constexpr int kLargeStep = 10;
}

IWzPresetSwitch::IWzPresetSwitch(IEffectBase* plug, int x, int y, const BitmapStrip* strip, int direction)
    : IContactControl(plug, x, y, strip), mDirection(direction)
{
}

// A step past either end of the bank selects nothing, but the host still hears from us.
void IWzPresetSwitch::OnMouseDown(int, int, const MouseModifiers* mods)
{
    const int step = mods && mods->right ? kLargeStep : 1;
    mValue.store(1.0);
    if (mPlug)
    {
        const int current = mPlug->GetCurrentPreset();
        mPlug->SelectPreset(mDirection == kNext ? current + step : current - step);
        mPlug->UpdateHostDisplay();
        mPlug->NotifyHostOfAllParams();
    }
    SetDirty(true);
}
