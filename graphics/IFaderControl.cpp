#include "graphics/IFaderControl.h"

#include "graphics/IGraphics.h"

IFaderControl::IFaderControl(IEffectBase* plug, const Rect& rect, int paramIndex, const BitmapStrip* handle,
                             int trackLength, int direction, int handleLength, bool hitOnHandleOnly, BlendSpec blend)
    : IControl(plug, rect, paramIndex, blend),
      mTrackLength(trackLength),
      mHandleLength(handleLength >= 0 ? handleLength : (handle ? handle->width : 0)),
      mHandle(handle ? *handle : BitmapStrip{}),
      mDirection(direction),
      mHitOnHandleOnly(hitOnHandleOnly)
{
}

void IFaderControl::OnMouseDown(int x, int y, const MouseModifiers* mods)
{
    if (mods && mods->right)
        PromptForValue();
    else
        SnapToMouse(x, y);
}

void IFaderControl::OnMouseDrag(int x, int y, int, int, const MouseModifiers*)
{
    SnapToMouse(x, y);
}

void IFaderControl::OnMouseWheel(int, int, const MouseModifiers* mods, int notches)
{
    StepByWheel(mods, notches);
}

void IFaderControl::SnapToMouse(int x, int y)
{
    const int32_t usable = UsableLength();
    if (usable <= 0)
        return;
    const int32_t half = mHandleLength / 2;
    const double position = mDirection == kHorizontal
                                ? static_cast<double>(x - half - mDrawRect.left) / usable
                                : 1.0 - static_cast<double>(y - half - mDrawRect.top) / usable;
    mValue.store(position);
    SetDirty(true);
}

Rect IFaderControl::GetHandleRect() const
{
    Rect rect = mHandle.FrameRectAt(mDrawRect.left, mDrawRect.top);
    const int32_t usable = UsableLength();
    if (mDirection == kHorizontal)
    {
        const int32_t shift = static_cast<int32_t>(usable * GetValue());
        rect.left += shift;
        rect.right += shift;
    }
    else
    {
        const int32_t shift = static_cast<int32_t>(usable * (1.0 - GetValue()));
        rect.top += shift;
        rect.bottom += shift;
    }
    return rect;
}

bool IFaderControl::Draw(IGraphics* graphics)
{
    const Rect handle = GetHandleRect();
    const BlendSpec blend = GetBlend();
    return graphics->DrawBitmap(&mHandle, &handle, 0, 0, &blend);
}

bool IFaderControl::IsHit(int x, int y)
{
    if (!mHitOnHandleOnly)
        return IControl::IsHit(x, y);
    const Rect handle = GetHandleRect();
    return !handle.IsEmpty() && handle.Contains(x, y);
}
