#include "plugin/Zarvotone.h"

#include "dsp/filters/Filter.h"
#include "dsp/units/curves/InterpolationNames.h"
#include "framework/ScopedLock.h"
#include "graphics/IGraphics.h"
#include "graphics/ITextControl.h"
#include "plugin/ParamDisplayText.h"
#include "plugin/ParamIndex.h"
#include "plugin/RedrawControl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace
{
constexpr char kInputChannelTooltip[] = "Input Channel Mode";
constexpr char kSubBandChannelTooltip[] = "Sub-Band Channel Mode";
constexpr uint32_t kNoInterpolation = std::numeric_limits<uint32_t>::max();
constexpr int32_t kDistortionPreviewMode = 0;
constexpr int32_t kShaperPreviewMode = 1;
static_assert(kTotalParamCount <= DueDisplays::kParamCapacity);

// Texts are formatted on the UI thread, at the editor's redraw tick, on the stack, and published
// through the controls' fixed buffers, which mark the control dirty only when the text changed.
using Text = char[ParamDisplayText::kTextSize];

void Publish(ITextControl* control, const char* text)
{
    if (control)
        control->SetTextFromPlug(text);
}

void SetTooltip(IControl* control, const char* text)
{
    if (control)
        control->SetTooltip(text);
}

// The cutoff (or centre) frequency of a design: its last parameter that is a frequency.
double DesignFrequency(const Dsp::Filter* design)
{
    if (!design)
        return 0.0;
    double hz = 0.0;
    for (int i = 0; i < design->GetNumParams(); ++i)
        if (design->GetParamInfo(i).id == Dsp::kFrequencyId)
            hz = design->params[static_cast<size_t>(i)];
    return hz;
}
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

void Zarvotone::ShowUnitDisplays(int index)
{
    ParamDisplayControls& d = mDisplays;
    DistortionChain& chain = mUnits.hostRate.chain1;
    Text text;
    switch (index)
    {
    case kParamInputChannelMode:
        ParamDisplayText::ChannelModeTooltip(text, sizeof text, kInputChannelTooltip, mUnits.hostRate.input.channelMode);
        SetTooltip(d.inputChannelSwitch, text);
        break;
    case kParamQuantization:
        ParamDisplayText::BitDepth(text, sizeof text, chain.quantizer.bits);
        Publish(d.bitCrushText, text);
        break;
    case kParamSampleRateReduction:
        ParamDisplayText::ReducedRate(text, sizeof text, chain.reducer.ratio, chain.reducer.sampleRate);
        Publish(d.sampleRateText, text);
        break;
    case kParamGateLevel:
        ParamDisplayText::GateLevel(text, sizeof text, mCurrentValues.Get(kParamGateLevel), chain.gate.target);
        Publish(d.gateText, text);
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
    {
        if (!d.interpolationText)
            break;
        const DistortionCurve* curve = chain.distortion.current;
        Publish(d.interpolationText, GetInterpolationName(curve ? curve->interpolation : kNoInterpolation));
        ShowDistortionPreviews();
        break;
    }
    case kParamShaperAmount:
    case kParamShaperWidth:
    case kParamShaperInvert:
    case kParamShaperPolarity:
        ShowShaperPreviews();
        break;
    case kParamShaperWaveform:
        Publish(d.shapeText, ParamDisplayText::ShaperWaveformName(chain.shaper.waveform));
        [[fallthrough]];
    case kParamShaperMode:
        Publish(d.shaperModeText, ParamDisplayText::ShaperModeName(chain.shaper.mode));
        ShowShaperPreviews();
        break;
    case kParamFilterBalance:
        ParamDisplayText::Balance(text, sizeof text, mCurrentValues.Get(kParamFilterBalance));
        Publish(d.balanceText, text);
        break;
    case kParamFilterCutoff:
        ParamDisplayText::Frequency(text, sizeof text, DesignFrequency(mUnits.filter.Design(0)));
        Publish(d.cutoffText, text);
        break;
    case kParamFilter1Type:
        RedrawControl(d.filterTypeMenus[0]);
        break;
    case kParamFilter2Type:
        RedrawControl(d.filterTypeMenus[1]);
        break;
    case kParamFilterTransition:
        Publish(d.transitionText, ParamDisplayText::TransitionName(mUnits.filter.TransitionSpeed()));
        break;
    case kParamDistoEqBass:
    case kParamDistoEqLowMid:
    case kParamDistoEqHighMid:
    case kParamDistoEqHigh:
        ShowEqGain(d.distoEqTexts, mUnits.distoEq, index - kParamDistoEqBass);
        break;
    case kParamSubBandChannelMode:
        ParamDisplayText::ChannelModeTooltip(text, sizeof text, kSubBandChannelTooltip, mUnits.subBand.channelMode);
        SetTooltip(d.subBandChannelSwitch, text);
        break;
    case kParamSubBandEqBass:
    case kParamSubBandEqMid:
    case kParamSubBandEqHighMid:
    case kParamSubBandEqHigh:
        ShowEqGain(d.subEqTexts, mUnits.subBand.equaliser, index - kParamSubBandEqBass);
        break;
    case kParamBandLink:
    case kParamSubBandCutoff:
    case kParamSubBandSlope:
    case kParamDistoBandCutoff:
    case kParamDistoBandSlope:
        ParamDisplayText::Frequency(text, sizeof text, mUnits.subBand.splitter.GetLowSplit());
        Publish(d.lowSplitText, text);
        ParamDisplayText::Frequency(text, sizeof text, mUnits.subBand.splitter.GetHighSplit());
        Publish(d.highSplitText, text);
        RedrawControl(d.bandDisplay);
        break;
    case kParamHqFilter:
        ParamDisplayText::OutputFilterTooltip(text, sizeof text, mUnits.outputFilter.mode);
        SetTooltip(d.outputFilterSwitch, text);
        [[fallthrough]];
    case kParamLimiterMode:
        if (d.limiterLevelKnob)
            d.limiterLevelKnob->GrayOut(mUnits.hostRate.limiter.mode == 0);
        break;
    case kParamOutputSweep:
    case kParamOutputSweepSlope:
        ParamDisplayText::WholeHertz(text, sizeof text, mUnits.outputSweep.GetAmount());
        Publish(d.sweepText, text);
        break;
    default:
        break;
    }
}

void Zarvotone::ShowEqGain(const ParamDisplayControls::EqGainTexts& texts, const Wezmark::Eq4Band& eq, int band)
{
    ITextControl* control = texts[static_cast<size_t>(band)];
    if (!control)
        return;
    const double gains[] = {eq.GetBassGain(), eq.GetLowMidGain(), eq.GetHighMidGain(), eq.GetHighGain()};
    Text text;
    ParamDisplayText::Decibels(text, sizeof text, gains[band]);
    control->SetTextFromPlug(text);
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
