#pragma once

#include "graphics/ISwitchControl.h"

#include <cstdint>
#include <vector>

namespace Wezmark
{
class IEqController;

// One of the two EQ page buttons. It keeps the indexes of its page's controls, which hide
// and show with it.
class IEqTabButton : public ISwitchControl
{
public:
    static constexpr int kSubBandPage = 0;
    static constexpr int kDistoBandPage = 1;

    IEqTabButton(IEffectBase* plug, int x, int y, const BitmapStrip* strip, IEqController* eq, int kind);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    void Hide(bool hide) override;

    // The builder adds its page's controls after creating them.
    void AddPageControl(int32_t index) { mPageControls.push_back(index); }
    const std::vector<int32_t>& PageControls() const { return mPageControls; }

private:
    IEqController* mEq;
    int32_t mKind;
    std::vector<int32_t> mPageControls;
};
} // namespace Wezmark
