#include "editor/IWzDrawModeButton.h"

#include "plugin/IScopeController.h"

namespace Wezmark
{
namespace
{
constexpr double kValuePerMode = 0.5;
}

IWzDrawModeButton::IWzDrawModeButton(IEffectBase* plug, int x, int y, const BitmapStrip* strip,
                                     IScopeController* scope)
    : ISwitchControl(plug, x, y, strip), mScope(scope)
{
}

void IWzDrawModeButton::OnMouseDown(int, int, const MouseModifiers*)
{
    if (!mScope)
        return;
    const int mode = mScope->GetDrawMode();
    const int next = mode == 0 ? 1 : mode == 1 ? 2 : 0;
    mValue.store(next * kValuePerMode);
    mScope->SetDrawMode(next);
    SetDirty(true);
}
} // namespace Wezmark
