#include "graphics/IBitmapControl.h"

#include "graphics/IGraphics.h"
#include "graphics/OpaqueInset.h"

#include <algorithm>

IBitmapControl::IBitmapControl(IEffectBase* plug, int x, int y, int paramIndex, const BitmapStrip* strip,
                               int blendMethod)
    : IControl(plug, (strip ? *strip : BitmapStrip{}).FrameRectAt(x, y), paramIndex, BlendSpec{blendMethod, 1.0f}),
      mBitmap(strip ? *strip : BitmapStrip{})
{
}

IBitmapControl::IBitmapControl(IEffectBase* plug, int x, int y, const BitmapStrip* strip)
    : IBitmapControl(plug, x, y, -1, strip, BlendSpec::kCopySourceAlpha)
{
}

void IBitmapControl::FramePosition(const BitmapStrip& strip, double value, int* srcX, int* srcY)
{
    *srcX = 0;
    *srcY = 0;
    const int frames = strip.frames;
    if (frames <= 1)
        return;
    const int frame = std::clamp(static_cast<int>((frames - 1) * value + 0.5) + 1, 1, frames);
    if (frame == 1)
        return;
    if (strip.sideBySide)
        *srcX = static_cast<int>(static_cast<double>(strip.width) * (frame - 1) / frames + 0.5);
    else
        *srcY = static_cast<int>(static_cast<double>(strip.height) * (frame - 1) / frames + 0.5);
}

bool IBitmapControl::Draw(IGraphics* graphics)
{
    int srcX = 0;
    int srcY = 0;
    FramePosition(mBitmap, GetValue(), &srcX, &srcY);
    const BlendSpec blend = GetBlend();
    return graphics->DrawBitmap(&mBitmap, &mDrawRect, srcX, srcY, &blend);
}

Rect IBitmapControl::OpaqueRect() const
{
    const BlendSpec blend = GetBlend();
    const bool copies = blend.method == BlendSpec::kCopySourceAlpha || blend.method == BlendSpec::kCopy;
    if (!copies || blend.weight != 1.0f)
        return {};
    if (mOpaqueInset == kInsetUnknown)
        mOpaqueInset = OpaqueInset::Of(mBitmap);
    if (mOpaqueInset == OpaqueInset::kNotOpaque || mDrawRect.Width() <= 2 * mOpaqueInset ||
        mDrawRect.Height() <= 2 * mOpaqueInset)
        return {};
    return {mDrawRect.left + mOpaqueInset, mDrawRect.top + mOpaqueInset, mDrawRect.right - mOpaqueInset,
            mDrawRect.bottom - mOpaqueInset};
}
