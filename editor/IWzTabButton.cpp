#include "editor/IWzTabButton.h"

#include "plugin/ITabController.h"

namespace Wezmark
{
IWzTabButton::IWzTabButton(IEffectBase* plug, int x, int y, const BitmapStrip* strip, ITabController* tabs, int tab)
    : ISwitchControl(plug, x, y, strip), mTabs(tabs), mTab(tab)
{
}

void IWzTabButton::OnMouseDown(int, int, const MouseModifiers*)
{
    mValue.store(1.0);
    if (mTabs)
    {
        switch (mTab)
        {
        case kPlugInTab:
            mTabs->ShowPlugInTab();
            break;
        case kScopeTab:
            mTabs->ShowScopeTab();
            break;
        case kAboutTab:
            mTabs->ShowAboutTab();
            break;
        default:
            break;
        }
    }
    SetDirty(true);
}
} // namespace Wezmark
