#include "editor/IWzScopeWaveSwitch.h"

#include "plugin/IScopeController.h"

namespace Wezmark
{
IWzScopeWaveSwitch::IWzScopeWaveSwitch(IEffectBase* plug, int x, int y, const BitmapStrip* strip,
                                       IScopeController* scope, int kind)
    : ISwitchControl(plug, x, y, strip), mScope(scope), mKind(kind)
{
}

// The switch's own frame step decides the value; the scope shows the trace at exactly 1.
void IWzScopeWaveSwitch::OnMouseDown(int x, int y, const MouseModifiers* mods)
{
    ISwitchControl::OnMouseDown(x, y, mods);
    if (!mScope)
        return;
    if (mKind == kInputTrace)
        mScope->SetInputTraceShown(GetValue());
    else if (mKind == kOutputTrace)
        mScope->SetOutputTraceShown(GetValue());
}
} // namespace Wezmark
