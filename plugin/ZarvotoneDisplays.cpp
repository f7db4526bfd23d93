#include "plugin/Zarvotone.h"

#include "framework/ScopedLock.h"
#include "graphics/IGraphics.h"
#include "graphics/ITextControl.h"
#include "plugin/HostParamText.h"
#include "plugin/ParamDisplayText.h"
#include "plugin/ParamIndex.h"
#include "plugin/RedrawControl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace
{
constexpr char kInputChannelTooltip[] = "Input Channel Mode";
constexpr char kSubBandChannelTooltip[] = "Sub-Band Channel Mode";
constexpr char kOutputFilterTooltip[] = "High-Quality Output Filter";
constexpr int32_t kDistortionPreviewMode = 0;
constexpr int32_t kShaperPreviewMode = 1;
static_assert(kTotalParamCount <= DueDisplays::kParamCapacity);

// Texts are formatted on the UI thread, at the editor's redraw tick, on the stack, and published
// through the controls' fixed buffers, which mark the control dirty only when the text changed.
using Text = char[ParamDisplayText::kTextSize];
}

bool Zarvotone::FormatParamText(int index, double value, char* out, size_t size) const
{
    return HostParamText::Format(index, value, GetSampleRate(), out, size);
}

bool Zarvotone::ParseParamText(int index, const char* text, double* value) const
{
    const IParameter* param = GetParam(index);
    return param && HostParamText::Parse(index, text, GetSampleRate(), param->Value(), value);
}

void Zarvotone::UpdateParamDisplays(int index)
{
    if (!mGraphics || !GetParam(index))
        return;
    ShowAtOnce(index);
    mDueDisplays.MarkParam(index);
}

void Zarvotone::MarkDisplayDue(int index)
{
    if (mGraphics)
        mDueDisplays.MarkParam(index);
}

// Single words that the editor reads: the previews shown in front follow the latest change,
// and the holds clear at the next block.
void Zarvotone::ShowAtOnce(int index)
{
    switch (index)
    {
    case kParamDistortionAmount:
        ShowPreviewMode(kDistortionPreviewMode);
        break;
    case kParamDistortionType:
    case kParamCurveInterpolation:
    case kParamDistortionPolarity:
        if (mDisplays.interpolationText)
            ShowPreviewMode(kDistortionPreviewMode);
        break;
    case kParamShaperAmount:
    case kParamShaperWidth:
    case kParamShaperInvert:
    case kParamShaperWaveform:
    case kParamShaperMode:
    case kParamShaperPolarity:
        ShowPreviewMode(kShaperPreviewMode);
        break;
    case kParamHqFilter:
    case kParamLimiterMode:
    case kParamVolume:
        RequestMeterReset();
        break;
    default:
        break;
    }
}

void Zarvotone::RequestCurveEditorRefresh()
{
    if (!mGraphics)
        return;
    ShowPreviewMode(kDistortionPreviewMode);
    mDueDisplays.MarkCurveEditors();
}

void Zarvotone::OnRedrawTick()
{
    ShowDueDisplays();
}

// Under the plug-in lock, which the units' settings need; a block waits at most for the texts
// of the parameters changed since the last tick.
void Zarvotone::ShowDueDisplays()
{
    if (!mGraphics || !mDueDisplays.Any())
        return;
    ScopedLock lock(mLock);
    mDueDisplays.TakeParams([this](int index) {
        if (const IParameter* param = GetParam(index))
        {
            ShowUnitDisplays(index);
            mGraphics->ShowParamValue(index, param->Value(), false);
        }
    });
    if (mDueDisplays.TakeCurveEditors())
        ShowCurveInEditors();
    if (mDueDisplays.TakeViewSettings())
        RedrawCurveEditors();
}

void Zarvotone::PushAllParamsToGui()
{
    for (int index = 0; index < GetParamCount(); ++index)
        MarkDisplayDue(index);
}

// The read-outs show the texts hosts are shown, of the values the units took.
void Zarvotone::FormatUnitText(int index, char* out, size_t size) const
{
    FormatParamText(index, mCurrentValues.Get(index), out, size);
}

void Zarvotone::PublishUnitText(ITextControl* control, int index) const
{
    if (!control)
        return;
    Text text;
    FormatUnitText(index, text, sizeof text);
    control->SetTextFromPlug(text);
}

void Zarvotone::ShowTooltipWithText(IControl* control, const char* prefix, int index) const
{
    if (!control)
        return;
    Text value;
    FormatUnitText(index, value, sizeof value);
    Text text;
    ParamDisplayText::Tooltip(text, sizeof text, prefix, value);
    control->SetTooltip(text);
}

void Zarvotone::ShowUnitDisplays(int index)
{
    ParamDisplayControls& d = mDisplays;
    switch (index)
    {
    case kParamInputChannelMode:
        ShowTooltipWithText(d.inputChannelSwitch, kInputChannelTooltip, index);
        break;
    case kParamQuantization:
        PublishUnitText(d.bitCrushText, index);
        break;
    case kParamSampleRateReduction:
        PublishUnitText(d.sampleRateText, index);
        break;
    case kParamGateLevel:
        PublishUnitText(d.gateText, index);
        break;
    case kParamDistortionAmount:
        ShowDistortionPreviews();
        break;
    case kParamDistortionType:
        if (d.interpolationText)
            ShowCurveInEditors();
        break;
    case kParamCurveInterpolation:
    case kParamDistortionPolarity:
        if (!d.interpolationText)
            break;
        PublishUnitText(d.interpolationText, kParamCurveInterpolation);
        ShowDistortionPreviews();
        break;
    case kParamShaperAmount:
    case kParamShaperWidth:
    case kParamShaperInvert:
    case kParamShaperPolarity:
        ShowShaperPreviews();
        break;
    case kParamShaperWaveform:
        PublishUnitText(d.shapeText, kParamShaperWaveform);
        [[fallthrough]];
    case kParamShaperMode:
        PublishUnitText(d.shaperModeText, kParamShaperMode);
        ShowShaperPreviews();
        break;
    case kParamFilterBalance:
        PublishUnitText(d.balanceText, index);
        break;
    case kParamFilterCutoff:
        PublishUnitText(d.cutoffText, index);
        break;
    case kParamFilter1Type:
        RedrawControl(d.filterTypeMenus[0]);
        break;
    case kParamFilter2Type:
        RedrawControl(d.filterTypeMenus[1]);
        break;
    case kParamFilterTransition:
        PublishUnitText(d.transitionText, index);
        break;
    case kParamDistoEqBass:
    case kParamDistoEqLowMid:
    case kParamDistoEqHighMid:
    case kParamDistoEqHigh:
        PublishUnitText(d.distoEqTexts[static_cast<size_t>(index - kParamDistoEqBass)], index);
        break;
    case kParamSubBandChannelMode:
        ShowTooltipWithText(d.subBandChannelSwitch, kSubBandChannelTooltip, index);
        break;
    case kParamSubBandEqBass:
    case kParamSubBandEqMid:
    case kParamSubBandEqHighMid:
    case kParamSubBandEqHigh:
        PublishUnitText(d.subEqTexts[static_cast<size_t>(index - kParamSubBandEqBass)], index);
        break;
    case kParamBandLink:
    case kParamSubBandCutoff:
    case kParamSubBandSlope:
    case kParamDistoBandCutoff:
    case kParamDistoBandSlope:
        PublishUnitText(d.lowSplitText, kParamSubBandCutoff);
        PublishUnitText(d.highSplitText, kParamDistoBandCutoff);
        RedrawControl(d.bandDisplay);
        break;
    case kParamHqFilter:
        ShowTooltipWithText(d.outputFilterSwitch, kOutputFilterTooltip, index);
        [[fallthrough]];
    case kParamLimiterMode:
        if (d.limiterLevelKnob)
            d.limiterLevelKnob->GrayOut(mUnits.hostRate.limiter.mode == 0);
        break;
    case kParamOutputSweep:
    case kParamOutputSweepSlope:
        PublishUnitText(d.sweepText, kParamOutputSweep);
        break;
    default:
        break;
    }
}

void Zarvotone::RefreshCurveEditor()
{
    if (!mGraphics)
        return;
    ScopedLock lock(mLock);
    ShowPreviewMode(kDistortionPreviewMode);
    ShowCurveInEditors();
}

// The caller holds the plug-in lock.
void Zarvotone::ShowCurveInEditors()
{
    const DistortionCurve* curve = mUnits.hostRate.chain1.distortion.current;
    if (CurveEditorState* drawArea = mControls.curveDrawArea.state)
    {
        const int32_t count = drawArea->columns.Size();
        for (int32_t j = 0; j < count; ++j)
        {
            const double t = std::clamp(static_cast<double>(j) / count, 0.0, 1.0);
            const int32_t n = curve != nullptr ? static_cast<int32_t>(std::floor(t * (curve->count - 1))) : 0;
            const bool held = curve != nullptr && n >= 0 && n < curve->count;
            drawArea->columns.Set(j, held ? -curve->Points()[n] : 0.0);
        }
    }
    mPreviews.Compute(mUnits.hostRate.chain1);
    RedrawPreviews();
}

void Zarvotone::ShowDistortionPreviews()
{
    mPreviews.Compute(mUnits.hostRate.chain1);
    RedrawPreviews();
}

void Zarvotone::ShowShaperPreviews()
{
    mShaperPreviews.Compute(mUnits.hostRate.chain1);
    RedrawPreviews();
}

// Automation sets the mode many times a block; the editors redraw only when it changes.
void Zarvotone::ShowPreviewMode(int32_t mode)
{
    for (const CurveEditorLink& editor : {mControls.curveDrawArea, mControls.curveSignalPreview})
    {
        if (!editor.state || editor.state->displayMode.load(std::memory_order_relaxed) == mode)
            continue;
        editor.state->displayMode.store(mode, std::memory_order_relaxed);
        RedrawControl(editor.control);
    }
}

void Zarvotone::RedrawPreviews()
{
    for (const CurveEditorLink& editor : {mControls.curveDrawArea, mControls.curveSignalPreview})
        RedrawControl(editor.control);
}
