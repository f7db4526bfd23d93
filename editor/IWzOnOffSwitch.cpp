#include "editor/IWzOnOffSwitch.h"

IWzOnOffSwitch::IWzOnOffSwitch(IEffectBase* plug, int x, int y, int paramIndex, const BitmapStrip* strip, IsOn isOn)
    : ISwitchControl(plug, x, y, paramIndex, strip), mIsOn(isOn)
{
}

void IWzOnOffSwitch::OnMouseDown(int, int, const MouseModifiers*)
{
    mValue.store(mIsOn(GetValue()) ? 0.0 : 1.0);
    SetDirty(true);
}

double IWzOnOffSwitch::FrameValue() const
{
    return mIsOn(GetValue()) ? 1.0 : 0.0;
}
