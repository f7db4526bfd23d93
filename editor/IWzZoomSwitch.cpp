#include "editor/IWzZoomSwitch.h"

#include "plugin/IScopeController.h"

namespace
{
constexpr double kStep = 1.0;
constexpr double kLargeStep = 4.0;
}

IWzZoomSwitch::IWzZoomSwitch(IEffectBase* plug, int x, int y, const BitmapStrip* strip,
                             Wezmark::IScopeController* scope, int zoomDirection)
    : IContactControl(plug, x, y, strip), mScope(scope), mZoomDirection(zoomDirection)
{
}

void IWzZoomSwitch::OnMouseDown(int, int, const MouseModifiers* mods)
{
    mValue.store(1.0);
    if (mScope)
        mScope->StepZoom(mZoomDirection == kZoomIn, mods && mods->right ? kLargeStep : kStep);
    SetDirty(true);
}
