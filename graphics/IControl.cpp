#include "graphics/IControl.h"

#include "framework/IEffectBase.h"
#include "framework/IParameter.h"
#include "graphics/DirtyArea.h"
#include "graphics/IGraphics.h"
#include "graphics/ITextControl.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
constexpr int kLinkedTextSize = 2 * IParameter::kTextSize + 2;
// A value prompt for a parameter without display texts: a small box on the control's centre.
constexpr int kPromptHalfWidth = 20;
constexpr int kPromptHalfHeight = 8;
constexpr double kWheelStep = 0.01;
constexpr double kFineWheelStep = 0.001;
}

IControl::IControl(IEffectBase* plug, const Rect& rect, int paramIndex, BlendSpec blend)
    : mPlug(plug),
      mDrawRect(rect),
      mTargetRect(rect),
      mParamIndex(paramIndex),
      mBlendMethod(blend.method),
      mBlendWeight(blend.weight)
{
}

IControl::~IControl() = default;

void IControl::OnMouseDown(int, int, const MouseModifiers* mods)
{
    if (mods && mods->right)
        PromptForValue();
}

void IControl::OnMouseUp(int, int, const MouseModifiers*)
{
}

void IControl::OnMouseDrag(int, int, int, int, const MouseModifiers*)
{
}

void IControl::OnMouseDoubleClick(int, int, const MouseModifiers*)
{
    const double defaultValue = GetDefaultValue();
    if (defaultValue < 0.0)
        return;
    mValue.store(defaultValue);
    SetDirty(true);
}

void IControl::OnMouseWheel(int, int, const MouseModifiers*, int)
{
}

bool IControl::OnKeyDown(int, int, int)
{
    return false;
}

void IControl::StepByWheel(const MouseModifiers* mods, int notches)
{
    const double step = mods && mods->Fine() ? kFineWheelStep : kWheelStep;
    mValue.store(GetValue() + step * notches);
    SetDirty(true);
}

void IControl::OnMouseOver(int, int, const MouseModifiers*)
{
}

void IControl::OnMouseOut()
{
}

void IControl::StoreValueFromPlug(std::atomic<double>& slot, double value)
{
    if (slot.load() == value)
        return;
    slot.store(value);
    MarkPendingRedraw();
    SetDirty(false);
}

void IControl::SetValueFromPlug(double value)
{
    double unset = -1.0;
    if (GetDefaultValue() < 0.0 && mDefaultValue.compare_exchange_strong(unset, value))
        mValue.store(value);
    StoreValueFromPlug(mValue, value);
}

void IControl::SetValueFromUserInput(double value)
{
    if (mValue.load() == value)
        return;
    mValue.store(value);
    MarkPendingRedraw();
    SetDirty(true);
}

void IControl::SetAuxParamValueFromPlug(int auxIndex, double value)
{
    AuxParam* entry = AuxEntry(auxIndex);
    if (!entry)
        return;
    std::atomic_ref<double> slot(entry->value);
    if (slot.load() == value)
        return;
    slot.store(value);
    MarkPendingRedraw();
    SetDirty(false);
}

void IControl::OnTextEntered(const char*)
{
}

void IControl::Hide(bool hide)
{
    mHidden.store(hide);
    MarkPendingRedraw();
    SetDirty(false);
}

void IControl::GrayOut(bool grey)
{
    mGreyed.store(grey);
    mBlendWeight.store(grey ? kGreyedWeight : 1.0f);
    SetDirty(false);
}

bool IControl::IsHit(int x, int y)
{
    return !mTargetRect.IsEmpty() && mTargetRect.Contains(x, y);
}

void IControl::SetDirty(bool pushToPlug)
{
    const double value = mValue.load();
    const double clamped = value < mClampLow ? mClampLow : std::min(value, mClampHigh);
    if (clamped != value)
        mValue.store(clamped);
    mDirty.store(true);
    if (!pushToPlug || !mPlug || mParamIndex < 0)
        return;
    mPlug->SetParamFromEditor(mParamIndex, clamped);
    RefreshLinkedTexts();
}

bool IControl::TakePendingRedraw()
{
    // Clear first, then take the pending mark: a value stored meanwhile marks pending before
    // dirty, so one of the two stores survives.
    mDirty.store(false);
    const bool pending = mPendingRedraw.exchange(false);
    if (pending)
        mDirty.store(true);
    return pending;
}

bool IControl::IsDirty()
{
    return mDirty.load();
}

void IControl::AddRedrawArea(DirtyArea* area) const
{
    area->Add(mDrawRect);
}

bool IControl::AddAuxParam(int paramIndex)
{
    const AuxParam entry{0.0, paramIndex, 0};
    return mAuxParams.Append(&entry, sizeof(entry));
}

int IControl::GetAuxParamCount() const
{
    return mAuxParams.Size() / static_cast<int>(sizeof(AuxParam));
}

IControl::AuxParam* IControl::AuxEntry(int auxIndex) const
{
    if (auxIndex < 0 || auxIndex >= GetAuxParamCount())
        return nullptr;
    return static_cast<AuxParam*>(mAuxParams.Data()) + auxIndex;
}

int IControl::GetAuxParamIndex(int auxIndex) const
{
    const AuxParam* entry = AuxEntry(auxIndex);
    return entry ? entry->paramIndex : -1;
}

double IControl::GetAuxParamValue(int auxIndex) const
{
    AuxParam* entry = AuxEntry(auxIndex);
    return entry ? std::atomic_ref<double>(entry->value).load() : 0.0;
}

void IControl::SetClamp(double low, double high)
{
    mClampLow = low;
    mClampHigh = high;
}

void IControl::SetTextStyle(const TextStyle& style)
{
    mTextStyle = style;
}

bool IControl::FormatValueText(char* out, int size, bool withLabel) const
{
    const IParameter* param = mPlug ? mPlug->GetParam(mParamIndex) : nullptr;
    if (!param || size <= 0)
        return false;
    // The control's own value, not the parameter's: the plug-in may be changing the
    // parameter on another thread while the editor draws.
    const double plain = param->FromNormalized(GetValue());
    // The plug-in's own text carries its unit.
    if (mPlug->FormatParamText(mParamIndex, plain, out, static_cast<size_t>(size)))
        return true;
    char value[IParameter::kTextSize];
    param->GetDisplayText(plain, false, value, true, sizeof(value));
    const char* shownText = param->FindDisplayText(plain);
    if (withLabel && !shownText)
        std::snprintf(out, static_cast<size_t>(size), "%s %s", value, param->Label());
    else
        std::snprintf(out, static_cast<size_t>(size), "%s", value);
    return true;
}

void IControl::RefreshLinkedTexts()
{
    if (mLinkedValueText)
    {
        char text[kLinkedTextSize];
        if (FormatValueText(text, sizeof(text), true))
            mLinkedValueText->SetTextFromPlug(text);
    }
    if (mLinkedNameText)
    {
        if (const IParameter* param = mPlug->GetParam(mParamIndex))
            mLinkedNameText->SetTextFromPlug(param->Name());
    }
}

void IControl::PromptForValue()
{
    IParameter* param = mPlug ? mPlug->GetParam(mParamIndex) : nullptr;
    IGraphics* graphics = mPlug ? mPlug->GetGraphics() : nullptr;
    if (!param || !graphics || mPromptDisabled)
        return;
    Rect where = mDrawRect;
    if (param->DisplayTextCount() == 0)
    {
        const int cx = (mDrawRect.left + mDrawRect.right) / 2;
        const int cy = (mDrawRect.top + mDrawRect.bottom) / 2;
        where = {cx - kPromptHalfWidth, cy - kPromptHalfHeight, cx + kPromptHalfWidth, cy + kPromptHalfHeight};
    }
    graphics->PromptUserInput(this, param, &where);
    MarkPendingRedraw();
}
