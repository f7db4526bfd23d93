#pragma once

#include "graphics/IControl.h"

#include <atomic>
#include <cstdint>

namespace Wezmark
{
class EnvFollower;
}

// One eye of the about page: a triangle that glows from black to red with the level of its
// channel's envelope. The block routine marks it every block; it repaints only when the red
// it would show differs from the red it shows.
class IWzVuEyeDrawer : public IControl
{
public:
    IWzVuEyeDrawer(IEffectBase* plug, const Rect& rect, const Wezmark::EnvFollower* envelope, bool leftEye);

    bool Draw(IGraphics* graphics) override;
    void AddRedrawArea(DirtyArea* area) const override;
    void Hide(bool hide) override;

private:
    static constexpr int32_t kNothingShown = -1;

    int32_t Red() const;

    const Wezmark::EnvFollower* mEnvelope;
    bool mLeftEye;
    std::atomic<int32_t> mShownRed{kNothingShown};
};
