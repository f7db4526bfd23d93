#pragma once

#include "editor/IWzDropDownMenu.h"

namespace Wezmark
{
class IFilterDataProvider;

// The filter type of one filter unit: its short name in the field, the 31 types in the menu.
class IWzFilterUnitMenu : public IWzDropDownMenu
{
public:
    IWzFilterUnitMenu(IEffectBase* plug, IFilterDataProvider* filters, int unit, int x, int y,
                      const TextStyle* style, const BitmapStrip* strip, ArgbColour textBackground);

    bool Draw(IGraphics* graphics) override;
    void MarkCurrentItem() override;
    void RunMenuAndApply() override;

protected:
    void FillMenu() override;

private:
    IFilterDataProvider* mFilters;
    int32_t mUnit;
};
} // namespace Wezmark
