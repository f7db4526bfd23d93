#include "graphics/IBitmapControl.h"

#include "graphics/IGraphics.h"
#include "graphics/OpaqueInset.h"
#include "graphics/RectStrips.h"

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
    FramePosition(mBitmap, FrameValue(), &srcX, &srcY);
    const BlendSpec blend = GetBlend();
    const Rect opaque = blend.method == BlendSpec::kCopySourceAlpha ? OpaqueFrameRect() : Rect{};
    if (opaque.IsEmpty())
        return graphics->DrawBitmap(&mBitmap, &mDrawRect, srcX, srcY, &blend);
    // Where every pixel is opaque, a plain copy gives the same pixels without a look at each
    // pixel's alpha; only the rim around it is blended.
    const auto drawPart = [&](const Rect& part, const BlendSpec& partBlend) {
        graphics->DrawBitmap(&mBitmap, &part, srcX + part.left - mDrawRect.left, srcY + part.top - mDrawRect.top,
                             &partBlend);
    };
    drawPart(opaque, BlendSpec{BlendSpec::kCopy, 1.0f});
    Rect rim[kMostStripsAround];
    const int rimCount = StripsAround(mDrawRect, opaque, rim);
    for (int i = 0; i < rimCount; ++i)
        drawPart(rim[i], blend);
    return true;
}

Rect IBitmapControl::OpaqueRect() const
{
    const BlendSpec blend = GetBlend();
    const bool copies = blend.method == BlendSpec::kCopySourceAlpha || blend.method == BlendSpec::kCopy;
    return copies ? OpaqueFrameRect() : Rect{};
}

Rect IBitmapControl::OpaqueFrameRect() const
{
    if (GetBlend().weight != 1.0f)
        return {};
    if (mOpaqueInset == kInsetUnknown)
        mOpaqueInset = OpaqueInset::Of(mBitmap);
    if (mOpaqueInset == OpaqueInset::kNotOpaque || mDrawRect.Width() <= 2 * mOpaqueInset ||
        mDrawRect.Height() <= 2 * mOpaqueInset)
        return {};
    return {mDrawRect.left + mOpaqueInset, mDrawRect.top + mOpaqueInset, mDrawRect.right - mOpaqueInset,
            mDrawRect.bottom - mOpaqueInset};
}
