#include "graphics/IKnobControl.h"

namespace
{
constexpr double kFineGearing = 10.0;
}

IKnobControl::IKnobControl(IEffectBase* plug, const Rect& rect, int paramIndex, int direction, double gearing,
                           BlendSpec blend)
    : IControl(plug, rect, paramIndex, blend), mDirection(direction), mGearing(gearing)
{
}

void IKnobControl::OnMouseDrag(int, int, int dx, int dy, const MouseModifiers* mods)
{
    const double gearing = mods && mods->Fine() ? mGearing * kFineGearing : mGearing;
    double change = 0.0;
    if (mDirection == kVertical)
        change = static_cast<double>(dy) / (mDrawRect.top - mDrawRect.bottom) / gearing;
    else
        change = static_cast<double>(dx) / (mDrawRect.right - mDrawRect.left) / gearing;
    mValue.store(GetValue() + change);
    SetDirty(true);
}

void IKnobControl::OnMouseWheel(int, int, const MouseModifiers* mods, int notches)
{
    StepByWheel(mods, notches);
}
