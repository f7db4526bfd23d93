#pragma once

#include "graphics/ISwitchControl.h"

namespace Wezmark
{
class ITabController;

// Shows one of the editor's tabs.
class IWzTabButton : public ISwitchControl
{
public:
    static constexpr int kPlugInTab = 0;
    static constexpr int kScopeTab = 1;
    static constexpr int kAboutTab = 2;

    IWzTabButton(IEffectBase* plug, int x, int y, const BitmapStrip* strip, ITabController* tabs, int tab);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;

private:
    ITabController* mTabs;
    int32_t mTab;
};
} // namespace Wezmark
