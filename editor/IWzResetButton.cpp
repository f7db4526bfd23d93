#include "editor/IWzResetButton.h"

#include <utility>

IWzResetButton::IWzResetButton(IEffectBase* plug, int x, int y, const BitmapStrip* strip,
                               std::function<void()> resetHolds)
    : IContactControl(plug, x, y, strip), mResetHolds(std::move(resetHolds))
{
}

void IWzResetButton::OnMouseDown(int, int, const MouseModifiers*)
{
    mValue.store(1.0);
    SetDirty(true);
    if (mResetHolds)
        mResetHolds();
}
