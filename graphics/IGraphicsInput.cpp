#include "graphics/IGraphics.h"

#include "framework/IEffectBase.h"
#include "framework/IParameter.h"
#include "graphics/IControl.h"
#include "graphics/PopupMenu.h"

#include <cstdlib>
#include <cstring>

namespace
{
constexpr int kBackgroundControl = 0;
constexpr int kEntryTextSize = 32;

}

int IGraphics::FindTopmostHit(int x, int y, bool forHover) const
{
    for (int i = mControls.Count() - 1; i >= 0; --i)
    {
        IControl* control = mControls.Get(i);
        if (control->IsHidden())
            continue;
        if (control->IsGrayed() && !(forHover && control->GetHoverWhileGreyed()))
            continue;
        if (control->IsHit(x, y))
            return i;
    }
    return kNoControl;
}

void IGraphics::ReleaseMouseCapture()
{
    mCapture = kNoControl;
    mLastMouseX = -1;
    mLastMouseY = -1;
}

void IGraphics::BeginGesture(const IControl* control)
{
    EndGesture();
    const int param = control->GetParamIndex();
    if (!mPlug || param < 0)
        return;
    mPlug->BeginParamEdit(param);
    mGestureParam = param;
}

void IGraphics::EndGesture()
{
    if (mGestureParam < 0)
        return;
    const int param = mGestureParam;
    mGestureParam = -1;
    if (mPlug)
        mPlug->EndParamEdit(param);
}

void IGraphics::PressControl(int index, int x, int y, const MouseModifiers* mods)
{
    mCapture = index;
    mLastMouseX = x;
    mLastMouseY = y;
    mControls.Get(index)->OnMouseDown(x, y, mods);
}

void IGraphics::HandleMouseDown(int x, int y, const MouseModifiers* mods)
{
    ReleaseMouseCapture();
    const int hit = FindTopmostHit(x, y, false);
    if (hit == kNoControl)
        return;
    IControl* control = mControls.Get(hit);
    const int param = control->GetParamIndex();
    if (mPlug && mPlug->GetPluginApi() == IEffectBase::kPluginApiVst3 && mods && mods->right && param >= 0)
    {
        mPlug->ShowHostContextMenu(param, x, y);
        return;
    }
    BeginGesture(control);
    PressControl(hit, x, y, mods);
}

void IGraphics::HandleMouseUp(int x, int y, const MouseModifiers* mods)
{
    const int target = mCapture >= 0 ? mCapture : FindTopmostHit(x, y, false);
    ReleaseMouseCapture();
    if (IControl* control = mControls.Get(target))
        control->OnMouseUp(x, y, mods);
    EndGesture();
}

bool IGraphics::HandleMouseOver(int x, int y, const MouseModifiers* mods)
{
    if (!mHandleMouseOver)
        return false;
    const int target = mCapture >= 0 ? mCapture : FindTopmostHit(x, y, true);
    IControl* control = mControls.Get(target);
    if (!control)
        return true;
    mLastMouseX = x;
    mLastMouseY = y;
    control->OnMouseOver(x, y, mods);
    if (mMouseOver != target)
    {
        if (IControl* previous = mControls.Get(mMouseOver))
            previous->OnMouseOut();
    }
    mMouseOver = target;
    return true;
}

void IGraphics::HandleMouseDrag(int x, int y, const MouseModifiers* mods)
{
    IControl* control = mControls.Get(mCapture);
    if (!control)
        return;
    const int dx = x - mLastMouseX;
    const int dy = y - mLastMouseY;
    if (dx == 0 && dy == 0)
        return;
    mLastMouseX = x;
    mLastMouseY = y;
    control->OnMouseDrag(x, y, dx, dy, mods);
}

void IGraphics::HandleMouseWheel(int x, int y, const MouseModifiers* mods, int notches)
{
    const int target = mCapture >= 0 ? mCapture : FindTopmostHit(x, y, false);
    if (IControl* control = mControls.Get(target))
        control->OnMouseWheel(x, y, mods, notches);
}

bool IGraphics::HandleMouseDoubleClick(int x, int y, const MouseModifiers* mods)
{
    ReleaseMouseCapture();
    const int hit = FindTopmostHit(x, y, false);
    IControl* control = mControls.Get(hit);
    if (!control)
        return false;
    if (!control->GetDoubleClickAsPress())
    {
        control->OnMouseDoubleClick(x, y, mods);
        return false;
    }
    BeginGesture(control);
    PressControl(hit, x, y, mods);
    return true;
}

void IGraphics::HandleMouseLeave()
{
    for (int i = 0; i < mControls.Count(); ++i)
        mControls.Get(i)->OnMouseOut();
    mMouseOver = kNoControl;
}

bool IGraphics::HandleKeyDown(int x, int y, int keyCode)
{
    int target = kNoControl;
    if (mCapture > kBackgroundControl)
        target = mCapture;
    else if (mCapture < 0)
    {
        const int hit = FindTopmostHit(x, y, false);
        if (hit > kBackgroundControl)
            target = hit;
    }
    if (IControl* control = mControls.Get(target); control && control->OnKeyDown(x, y, keyCode))
        return true;
    return mKeyCatcher && mKeyCatcher->OnKeyDown(x, y, keyCode);
}

void IGraphics::PromptUserInput(IControl* control, IParameter* param, const Rect* where)
{
    if (!control || !param || !where)
        return;
    const ParamType type = param->Type();
    if (type == kParamTypeList || (type == kParamTypeBool && param->DisplayTextCount() > 0))
    {
        char current[IParameter::kTextSize];
        param->GetDisplayText(param->Value(), false, current, true, sizeof(current));
        PopupMenu menu;
        for (int value = 0; value < param->DisplayTextCount(); ++value)
        {
            const char* text = param->FindDisplayText(value);
            const int flags = text && std::strcmp(text, current) == 0 ? PopupMenuItem::kChecked : 0;
            menu.AddItem(text ? text : "", flags);
        }
        if (const PopupMenu* chosen = RunPopupMenu(&menu, where))
            control->SetValueFromUserInput(NormaliseParamValue(*param, chosen->GetChosenItemIdx()));
        return;
    }
    // The plain number, negated like the display and printed at the display precision.
    char text[kEntryTextSize];
    param->GetDisplayText(param->Value(), false, text, false, sizeof(text));
    OpenTextEntry(control, control->GetTextStyle(), where, text, param);
}

void IGraphics::ApplyEnteredText(IControl* control, IParameter* param, const char* text)
{
    if (!control)
        return;
    if (!text)
        text = "";
    if (!param)
    {
        control->OnTextEntered(text);
        return;
    }
    double value = 0.0;
    const ParamType type = param->Type();
    if (type == kParamTypeList || type == kParamTypeBool)
    {
        for (int candidate = 0; candidate < param->DisplayTextCount(); ++candidate)
        {
            const char* shown = param->FindDisplayText(candidate);
            if (shown && std::strcmp(shown, text) == 0)
            {
                value = candidate;
                break;
            }
        }
    }
    else
    {
        value = std::strtod(text, nullptr);
        if (param->NegateDisplay())
            value = -value;
    }
    control->SetValueFromUserInput(NormaliseParamValue(*param, value));
}
