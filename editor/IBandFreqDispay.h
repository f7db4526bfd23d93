#pragma once

#include "graphics/IBitmapControl.h"

#include <vector>

namespace Wezmark
{
class IBandFreqCurveProvider;

// The band splitter's two magnitude responses over its background: coloured bars, then a
// grey line on top of each.
class IBandFreqDispay : public IBitmapControl
{
public:
    static constexpr double kInsetX = 5.0;
    static constexpr double kInsetY = 10.0;

    // `blendSelector` picks the bars' blend: 0 copy with source alpha, 1 copy, 2 add, 3 dodge.
    IBandFreqDispay(IEffectBase* plug, int x, int y, const BitmapStrip* strip, IBandFreqCurveProvider* curves,
                    bool frame = false, int blendSelector = 0, float blendWeight = 1.0f);

    bool Draw(IGraphics* graphics) override;
    // Its lines are not clipped to the draw rect.
    bool DrawsOnlyWithinClip() const override { return false; }

private:
    void FillPoints(int band);
    void DrawBars(IGraphics* graphics, int band);
    void DrawLine(IGraphics* graphics);

    IBandFreqCurveProvider* mCurves;
    std::vector<double> mPoints;
    double mBarHeight;
    bool mFrame;
    int32_t mBlendSelector;
    float mBlendWeight;
};
} // namespace Wezmark
