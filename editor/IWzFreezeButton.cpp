#include "editor/IWzFreezeButton.h"

#include "plugin/IScopeController.h"

IWzFreezeButton::IWzFreezeButton(IEffectBase* plug, int x, int y, const BitmapStrip* strip,
                                 Wezmark::IScopeController* scope)
    : ISwitchControl(plug, x, y, strip), mScope(scope)
{
}

void IWzFreezeButton::OnMouseDown(int, int, const MouseModifiers*)
{
    mFrozen = !mFrozen;
    if (mScope)
        mScope->SetFrozen(mFrozen);
    mValue.store(mFrozen ? 1.0 : 0.0);
    SetDirty(true);
}
