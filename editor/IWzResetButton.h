#pragma once

#include "graphics/IContactControl.h"

#include <functional>

// Clears the output level holds. The core decides whether they clear at once or at the
// start of the next block, so a running block never sees them change under it.
class IWzResetButton : public IContactControl
{
public:
    IWzResetButton(IEffectBase* plug, int x, int y, const BitmapStrip* strip, std::function<void()> resetHolds);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;

private:
    std::function<void()> mResetHolds;
};
