#pragma once

#include "graphics/IControl.h"

namespace Wezmark
{
class EnvFollower;
}

// One eye of the about page: a triangle that glows from black to red with the level of its
// channel's envelope.
class IWzVuEyeDrawer : public IControl
{
public:
    IWzVuEyeDrawer(IEffectBase* plug, const Rect& rect, const Wezmark::EnvFollower* envelope, bool leftEye);

    bool Draw(IGraphics* graphics) override;

private:
    const Wezmark::EnvFollower* mEnvelope;
    bool mLeftEye;
};
