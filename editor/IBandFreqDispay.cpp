#include "editor/IBandFreqDispay.h"

#include "editor/ControlLine.h"
#include "graphics/IGraphics.h"
#include "graphics/RasterMode.h"
#include "graphics/RasterPixel.h"
#include "plugin/IBandFreqCurveProvider.h"

#include <algorithm>

namespace Wezmark
{
namespace
{
constexpr uint32_t kBarAlpha = 0x96;
constexpr double kLowBandBlue = 255.0;
constexpr double kHighBandRed = 175.0;
constexpr double kLineGreyRange = 180.0;
constexpr double kLineGreyFloor = 40.0;
constexpr ArgbColour kFrameColour{255, 0, 0, 0};

uint32_t BarMode(int selector)
{
    switch (selector)
    {
    case 1:
        return RasterModeCopy;
    case 2:
        return RasterModeSourceAlpha | RasterModeAdd;
    case 3:
        return RasterModeSourceAlpha | RasterModeDodge;
    default:
        return RasterModeSourceAlpha;
    }
}
}

IBandFreqDispay::IBandFreqDispay(IEffectBase* plug, int x, int y, const BitmapStrip* strip,
                                 IBandFreqCurveProvider* curves, bool frame, int blendSelector, float blendWeight)
    : IBitmapControl(plug, x, y, strip), mCurves(curves),
      mPoints(static_cast<size_t>(std::max(mDrawRect.Width() - 2 * static_cast<int>(kInsetX), 0))),
      mBarHeight(mDrawRect.Height() - 2 * kInsetY), mFrame(frame), mBlendSelector(blendSelector),
      mBlendWeight(blendWeight)
{
}

// A display narrower or lower than its insets has no room for a curve and draws only its
// background.
bool IBandFreqDispay::Draw(IGraphics* graphics)
{
    IBitmapControl::Draw(graphics);
    if (mCurves && !mPoints.empty() && mBarHeight > 0.0)
    {
        for (int band = 0; band < 2; ++band)
        {
            FillPoints(band);
            DrawBars(graphics, band);
        }
        for (int band = 0; band < 2; ++band)
        {
            FillPoints(band);
            DrawLine(graphics);
        }
    }
    if (mFrame)
        graphics->DrawRectOutline(&kFrameColour, &mDrawRect);
    return true;
}

void IBandFreqDispay::FillPoints(int band)
{
    mCurves->GetBandFreqCurve(band, mPoints.data(), static_cast<int>(mPoints.size()));
    for (double& point : mPoints)
        point = std::clamp(point, 0.0, 1.0);
}

void IBandFreqDispay::DrawBars(IGraphics* graphics, int band)
{
    const double x0 = mDrawRect.left + kInsetX;
    const double bottom = mDrawRect.bottom - kInsetY;
    const double count = static_cast<double>(mPoints.size());
    for (size_t i = 0; i < mPoints.size(); ++i)
    {
        const double position = static_cast<double>(i) / count;
        const uint32_t colour = band == 0 ? PixelWord(kBarAlpha, 0, 0, static_cast<uint32_t>((1.0 - position) * kLowBandBlue))
                                          : PixelWord(kBarAlpha, static_cast<uint32_t>(position * kHighBandRed), 0, 0);
        const auto x = static_cast<int32_t>(x0 + static_cast<double>(i));
        DrawControlLine(graphics, x, static_cast<int32_t>(bottom), x,
                        static_cast<int32_t>(bottom - mPoints[i] * mBarHeight), colour, mBlendWeight,
                        BarMode(mBlendSelector));
    }
}

void IBandFreqDispay::DrawLine(IGraphics* graphics)
{
    const double x0 = mDrawRect.left + kInsetX;
    const double bottom = mDrawRect.bottom - kInsetY;
    int32_t lastX = 0;
    int32_t lastY = 0;
    for (size_t i = 0; i < mPoints.size(); ++i)
    {
        const auto x = static_cast<int32_t>(x0 + static_cast<double>(i));
        const auto y = static_cast<int32_t>(bottom - mPoints[i] * mBarHeight);
        if (i == 0)
        {
            lastX = x;
            lastY = y;
        }
        const auto grey = static_cast<uint32_t>(mPoints[i] * kLineGreyRange + kLineGreyFloor);
        DrawControlLine(graphics, lastX, lastY, x, y, PixelWord(255, grey, grey, grey));
        lastX = x;
        lastY = y;
    }
}
} // namespace Wezmark
