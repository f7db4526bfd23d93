#include "editor/IWzFilterUnitMenu.h"

#include "dsp/units/filters/FilterType.h"
#include "framework/IEffectBase.h"
#include "graphics/IGraphics.h"
#include "plugin/IFilterDataProvider.h"

namespace Wezmark
{
namespace
{
constexpr int32_t kLabelLimit = 32;
constexpr int kLastFilterType = 30;
constexpr int kFilterTypeParams[2] = {27, 28};

bool IsUnit(int unit)
{
    return unit == 0 || unit == 1;
}
}

IWzFilterUnitMenu::IWzFilterUnitMenu(IEffectBase* plug, IFilterDataProvider* filters, int unit, int x, int y,
                                     const TextStyle* style, const BitmapStrip* strip, ArgbColour textBackground)
    : IWzDropDownMenu(plug, x, y, style, strip, textBackground), mFilters(filters), mUnit(unit)
{
}

bool IWzFilterUnitMenu::Draw(IGraphics* graphics)
{
    if (!mFilters)
    {
        DrawBackground(graphics);
        return false;
    }
    DrawField(graphics, mFilters->GetFilterShortName(mUnit), kLabelLimit);
    return true;
}

void IWzFilterUnitMenu::FillMenu()
{
    if (!IsUnit(mUnit))
        return;
    for (int type = 0; type <= kLastFilterType; ++type)
        mPopup.AddItem(GetFilterTypeName(type));
}

void IWzFilterUnitMenu::MarkCurrentItem()
{
    if (mFilters && IsUnit(mUnit))
        CheckItem(mPopup, mFilters->GetFilterType(mUnit));
}

void IWzFilterUnitMenu::RunMenuAndApply()
{
    IGraphics* graphics = mPlug ? mPlug->GetGraphics() : nullptr;
    if (!graphics || !graphics->RunPopupMenu(&mPopup, &mDrawRect))
        return;
    const int chosen = mPopup.GetChosenItemIdx();
    if (chosen >= 0 && IsUnit(mUnit))
        mPlug->SetParamFromEditor(kFilterTypeParams[mUnit], chosen / static_cast<double>(kLastFilterType));
}
} // namespace Wezmark
