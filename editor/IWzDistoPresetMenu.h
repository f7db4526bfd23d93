#pragma once

#include "editor/IWzDropDownMenu.h"
#include "editor/ShapeCategory.h"

namespace Wezmark
{
class IDistoDataProvider;

// The distortion shape: its numbered name in the field; the basic shapes, then one submenu
// per further category, in the menu.
class IWzDistoPresetMenu : public IWzDropDownMenu
{
public:
    static constexpr int kY = 99;

    IWzDistoPresetMenu(IEffectBase* plug, IDistoDataProvider* curves, int x, const TextStyle* style,
                       const BitmapStrip* strip, ArgbColour textBackground);

    bool Draw(IGraphics* graphics) override;
    void MarkCurrentItem() override;
    void RunMenuAndApply() override;

protected:
    void FillMenu() override;

private:
    IDistoDataProvider* mCurves;
    ShapeCategory mRoot;
};
} // namespace Wezmark
