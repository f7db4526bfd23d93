#include "editor/IEqTabButton.h"

#include "framework/IEffectBase.h"
#include "graphics/IGraphics.h"
#include "plugin/IEqController.h"

namespace Wezmark
{
IEqTabButton::IEqTabButton(IEffectBase* plug, int x, int y, const BitmapStrip* strip, IEqController* eq, int kind)
    : ISwitchControl(plug, x, y, strip), mEq(eq), mKind(kind)
{
}

void IEqTabButton::OnMouseDown(int, int, const MouseModifiers*)
{
    mValue.store(1.0);
    SetDirty(true);
    const bool pressed = GetValue() == 1.0;
    if (mEq)
    {
        if (mKind == kSubBandPage)
            mEq->SetEqPage(pressed);
        else if (mKind == kDistoBandPage)
            mEq->SetEqPageInverse(pressed);
    }
    SetDirty(true);
}

void IEqTabButton::Hide(bool hide)
{
    if (IGraphics* graphics = mPlug ? mPlug->GetGraphics() : nullptr)
    {
        for (const int32_t index : mPageControls)
        {
            if (IControl* control = graphics->GetControl(index))
                control->Hide(hide);
        }
    }
    IControl::Hide(hide);
}
} // namespace Wezmark
