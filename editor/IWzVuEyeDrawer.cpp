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

bool IWzVuEyeDrawer::Draw(IGraphics* graphics)
{
    if (!mEnvelope)
        return true;
    const double level = std::fabs(mLeftEye ? mEnvelope->envelopeLeft : mEnvelope->envelopeRight);
    const uint32_t red = static_cast<uint32_t>(level * kFullRed);
    const Rect& r = mDrawRect;
    const int32_t leftX[3] = {r.left, r.left, r.right};
    const int32_t leftY[3] = {r.top, r.bottom, r.bottom};
    const int32_t rightX[3] = {r.left, r.right, r.right};
    const int32_t rightY[3] = {r.bottom, r.bottom, r.top};
    RasterFillTriangle(graphics->GetDrawBitmap(), mLeftEye ? leftX : rightX, mLeftEye ? leftY : rightY,
                       PixelWord(255, red, 0, 0), 1.0f, RasterModeSourceAlpha);
    return true;
}
