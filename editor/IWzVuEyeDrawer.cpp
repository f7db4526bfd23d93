#include "editor/IWzVuEyeDrawer.h"

#include "dsp/units/path/EnvFollower.h"
#include "graphics/IGraphics.h"
#include "graphics/RasterFillTriangle.h"
#include "graphics/RasterMode.h"
#include "graphics/RasterPixel.h"

#include <cmath>

namespace
{
constexpr double kFullRed = 255.0;
}

IWzVuEyeDrawer::IWzVuEyeDrawer(IEffectBase* plug, const Rect& rect, const Wezmark::EnvFollower* envelope,
                               bool leftEye)
    : IControl(plug, rect), mEnvelope(envelope), mLeftEye(leftEye)
{
}

int32_t IWzVuEyeDrawer::Red() const
{
    const double level = std::fabs(mLeftEye ? mEnvelope->envelopeLeft : mEnvelope->envelopeRight);
    return static_cast<int32_t>(level * kFullRed);
}

bool IWzVuEyeDrawer::Draw(IGraphics* graphics)
{
    if (!mEnvelope)
        return true;
    const int32_t red = Red();
    const Rect& r = mDrawRect;
    const int32_t leftX[3] = {r.left, r.left, r.right};
    const int32_t leftY[3] = {r.top, r.bottom, r.bottom};
    const int32_t rightX[3] = {r.left, r.right, r.right};
    const int32_t rightY[3] = {r.bottom, r.bottom, r.top};
    RasterFillTriangle(graphics->GetDrawBitmap(), mLeftEye ? leftX : rightX, mLeftEye ? leftY : rightY,
                       PixelWord(255, static_cast<uint32_t>(red), 0, 0), 1.0f, RasterModeSourceAlpha);
    // A draw rect that cuts the eye leaves the window showing some of the old red.
    const Rect& drawing = graphics->GetDrawRect();
    mShownRed.store(drawing.Intersection(r) == r ? red : kNothingShown);
    return true;
}

void IWzVuEyeDrawer::AddRedrawArea(DirtyArea* area) const
{
    if (!mEnvelope || mShownRed.load() != Red())
        IControl::AddRedrawArea(area);
}

void IWzVuEyeDrawer::Hide(bool hide)
{
    // Whatever is drawn in its place meanwhile is not known here.
    if (hide)
        mShownRed.store(kNothingShown);
    IControl::Hide(hide);
}
