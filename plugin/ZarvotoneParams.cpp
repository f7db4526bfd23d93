#include "plugin/Zarvotone.h"

#include "dsp/units/path/RoundedIndex.h"
#include "framework/ScopedLock.h"
#include "plugin/ParamConversions.h"
#include "plugin/ParameterTable.h"

#include <algorithm>
#include <cmath>

using namespace ParamConversions;

namespace
{
constexpr double kShaperWidthScale = 0.777;
// From the mode and the target level, so the gain does not depend on where the limiter's
// glide happens to stand (a preset load would otherwise depend on the previous state).
void RefreshMakeUp(OutputLimiter& limiter)
{
    if (limiter.makeUpOn)
        limiter.makeUpGain = limiter.MakeUpGainForTarget();
}
}

void Zarvotone::ParamChanged(int index)
{
    ScopedLock lock(mLock);
    ApplyParamChange(index);
}

void Zarvotone::ApplyParamChange(int index)
{
    // A loaded state waits for the quiet point of its fade, and so does every change made
    // meanwhile; the host hears of a new delay at once all the same.
    if (mProgramFade.ValuesWait())
    {
        if (index == kParamOversampling)
            ReportLatency();
        MarkDisplayDue(index);
        return;
    }
    if (index >= 0 && index < kWorkingParamCount)
    {
        IParameter* param = GetParam(index);
        // A value that is no number never reaches a unit; the parameter falls back to its default.
        if (!std::isfinite(param->Value()))
            param->SetPlain(param->Default());
        const double p = param->Value();
        mCurrentValues.Store(index, p);
        ApplyToUnits(index, p);
        if (index == kParamOversampling)
            ReportLatency();
    }
    UpdateParamDisplays(index);
}

namespace
{
// Stages held at both rates take every setting alike.
void GlideRateStages(RateStages& s, int index, double p)
{
    switch (index)
    {
    case kParamInputVolume:
        s.input.gainTarget = p;
        break;
    case kParamInputDcOffset:
        s.input.offsetSetting = p;
        break;
    case kParamInputSaturation:
        s.input.saturator.amount = p;
        break;
    case kParamDistortionAmount:
        // The third chain's amount is the sub-band path's own.
        s.chain1.distortion.amount = p;
        s.chain2.distortion.amount = p;
        break;
    case kParamOutputSaturation:
        s.outputSaturator.amount = p;
        break;
    case kParamLimiterLevel:
        s.limiter.threshold = p;
        RefreshMakeUp(s.limiter);
        break;
    default:
        break;
    }
}

void CrossfadeRateStages(RateStages& s, int index, double p)
{
    switch (index)
    {
    case kParamInputSaturationMode:
        s.input.saturator.SetMode(p);
        break;
    case kParamInputChannelMode:
        s.input.channelMode = Steps(p, kChannelModeSteps);
        break;
    case kParamPreFilterProcess:
        s.chain1.distortion.filterMode = Steps(p, kThreeWaySteps);
        break;
    case kParamPostFilterProcess:
        s.chain2.distortion.filterMode = Steps(p, kThreeWaySteps);
        break;
    case kParamOutputSaturationMode:
        s.outputSaturator.SetMode(p);
        break;
    case kParamLimiterMode:
        s.limiter.mode = Steps(p, kSlopeSteps);
        RefreshMakeUp(s.limiter);
        break;
    case kParamAutoMakeUp:
        s.limiter.makeUpOn = IsAboveHalf(p);
        RefreshMakeUp(s.limiter);
        break;
    default:
        break;
    }
}
}

// The parameter table says how a change is heard, and so which way it takes into the units:
// a glide's value becomes a target the unit glides to, a crossfaded one a setting the unit
// crossfades its output to.
void Zarvotone::ApplyToUnits(int index, double p)
{
    switch (ChangeKindOf(index))
    {
    case ChangeKind::kGlides:
        SetGlideTarget(index, p);
        break;
    case ChangeKind::kCrossfades:
        SetCrossfadedSetting(index, p);
        break;
    case ChangeKind::kFeedsNothing:
        break;
    }
}

void Zarvotone::SetGlideTarget(int index, double p)
{
    for (RateStages* stages : mUnits.BothRates())
        GlideRateStages(*stages, index, p);
    ProcessingUnits& u = mUnits;
    switch (index)
    {
    case kParamSampleRateReduction:
        for (DistortionChain* chain : u.Chains())
            chain->reducer.ratio = ReducerRatio(p);
        break;
    case kParamGateLevel:
        for (DistortionChain* chain : u.Chains())
        {
            chain->gate.level = p;
            chain->gate.target = GateThreshold(p);
        }
        break;
    case kParamShaperAmount:
        for (DistortionChain* chain : u.Chains())
            chain->shaper.amount = p * p;
        break;
    case kParamShaperWidth:
        for (DistortionChain* chain : u.Chains())
            chain->shaper.width = std::max(0.0, kShaperWidthScale * p);
        break;
    case kParamFilterDrive:
        u.filter.saturator.amount = p;
        break;
    case kParamFilterBalance:
        u.filter.SetBalance(p);
        break;
    case kParamFilterCutoff:
        u.filter.SetCutoff(CutoffHz(p));
        break;
    case kParamFilterResonance:
        u.filter.SetResonance(p);
        break;
    case kParamDistoEqBass:
        u.distoEq.SetBassGain(p);
        break;
    case kParamDistoEqLowMid:
        u.distoEq.SetLowMidGain(p);
        break;
    case kParamDistoEqHighMid:
        u.distoEq.SetHighMidGain(p);
        break;
    case kParamDistoEqHigh:
        u.distoEq.SetHighGain(p);
        break;
    case kParamSubBandGain:
        u.subBand.subGain = p;
        break;
    case kParamSubBandSaturation:
        u.subBand.saturator.amount = p;
        break;
    case kParamSubBandDistortion:
        u.chain3.distortion.amount = p;
        break;
    case kParamSubBandEqBass:
        u.subBand.equaliser.SetBassGain(p);
        break;
    case kParamSubBandEqMid:
        u.subBand.equaliser.SetLowMidGain(p);
        break;
    case kParamSubBandEqHighMid:
        u.subBand.equaliser.SetHighMidGain(p);
        break;
    case kParamSubBandEqHigh:
        u.subBand.equaliser.SetHighGain(p);
        break;
    case kParamSubBandCutoff:
        u.subBand.splitter.SetLowSplit(p);
        if (u.subBand.splitter.link)
        {
            u.subBand.splitter.SetHighSplit(p);
            MirrorParam(kParamDistoBandCutoff, p);
        }
        break;
    case kParamDistoBandCutoff:
        u.subBand.splitter.SetHighSplit(p);
        if (u.subBand.splitter.link)
        {
            u.subBand.splitter.SetLowSplit(p);
            MirrorParam(kParamSubBandCutoff, p);
        }
        break;
    case kParamDistoBandGain:
        u.subBand.distoGain = p;
        break;
    case kParamOutputSweep:
        u.outputSweep.GlideAmountTo(p);
        break;
    default:
        // The stages of both rates take theirs above. Pan, dry/wet and volume: the block
        // routine glides to them.
        break;
    }
}

void Zarvotone::SetCrossfadedSetting(int index, double p)
{
    for (RateStages* stages : mUnits.BothRates())
        CrossfadeRateStages(*stages, index, p);
    ProcessingUnits& u = mUnits;
    switch (index)
    {
    case kParamQuantization:
    {
        const double amount = QuantizerAmount(p);
        const double bits = QuantizerBits(p);
        for (DistortionChain* chain : u.Chains())
        {
            chain->quantizer.amount = amount;
            chain->quantizer.bits = bits;
            chain->quantizer.factor = std::pow(2.0, bits);
        }
        break;
    }
    case kParamDistortionOn:
        for (DistortionChain* chain : u.Chains())
        {
            chain->quantizer.bypassed = IsOff(p);
            chain->distortion.bypassed = IsOff(p);
            chain->shaper.SetBypass(IsOff(p));
            chain->reducer.SetBypass(IsOff(p));
        }
        break;
    case kParamDistortionType:
        for (DistortionChain* chain : u.Chains())
            chain->distortion.SelectCurve(p);
        break;
    case kParamDistortionMode:
        for (DistortionChain* chain : u.Chains())
            chain->distortion.mode = Steps(p, kThreeWaySteps);
        break;
    case kParamCurveInterpolation:
        for (DistortionChain* chain : u.Chains())
            chain->distortion.SetInterpolation(p);
        break;
    case kParamDistortionPolarity:
        for (DistortionChain* chain : u.Chains())
            chain->distortion.SetPolarity(p);
        break;
    case kParamShaperInvert:
        for (DistortionChain* chain : u.Chains())
            chain->shaper.invert = p != 0.0;
        break;
    case kParamShaperWaveform:
        for (DistortionChain* chain : u.Chains())
            chain->shaper.waveform = Steps(p, kShaperWaveformSteps);
        break;
    case kParamShaperMode:
        for (DistortionChain* chain : u.Chains())
            chain->shaper.mode = Steps(p, kShaperModeSteps);
        break;
    case kParamShaperPolarity:
        for (DistortionChain* chain : u.Chains())
            chain->shaper.polarity = Steps(p, kThreeWaySteps);
        break;
    case kParamFilterOn:
        u.filter.SetBypass(IsOff(p));
        break;
    case kParamFilter1Type:
        ApplyFilterType(0, p);
        break;
    case kParamFilter2Type:
        ApplyFilterType(1, p);
        break;
    case kParamFilterTransition:
        u.filter.SetTransitionSpeed(static_cast<int>(Steps(p, kThreeWaySteps)));
        break;
    case kParamDistoEqOn:
        u.distoEq.SetBypass(IsOff(p));
        break;
    case kParamSubBandOn:
        u.subBand.SetBypass(IsOff(p));
        break;
    case kParamSubBandChannelMode:
        u.subBand.channelMode = Steps(p, kChannelModeSteps);
        break;
    case kParamSubBandSaturationMode:
        u.subBand.saturator.SetMode(p);
        break;
    case kParamSubBandEqOn:
        u.subBand.equaliser.SetBypass(IsOff(p));
        break;
    case kParamBandLink:
        ApplyBandLink(p);
        break;
    case kParamSubBandSlope:
        u.subBand.splitter.lowSlope = Steps(p, kSlopeSteps);
        break;
    case kParamDistoBandSlope:
        u.subBand.splitter.highSlope = Steps(p, kSlopeSteps);
        break;
    case kParamHqFilter:
        u.outputFilter.SetMode(Steps(p, kThreeWaySteps));
        break;
    case kParamOutputSweepSlope:
        u.outputSweep.SetSlope(RoundedIndex(p));
        break;
    default:
        // The stages of both rates take theirs above. Bypass all and oversampling: the block
        // routine crossfades to them.
        break;
    }
}

// A new design takes over the filter's current cutoff, resonance and transition length.
void Zarvotone::ApplyFilterType(int slot, double p)
{
    mUnits.filter.SelectFilterType(slot, static_cast<int>(Steps(p, kFilterTypeSteps)));
}

// Switching the link on makes the disto-band cutoff follow the sub-band cutoff.
void Zarvotone::ApplyBandLink(double p)
{
    Wezmark::BandSplitFilter& splitter = mUnits.subBand.splitter;
    splitter.link = IsAboveHalf(p);
    if (!splitter.link)
        return;
    const double cutoff = mCurrentValues.Get(kParamSubBandCutoff);
    splitter.SetLowSplit(cutoff);
    splitter.SetHighSplit(cutoff);
    MirrorParam(kParamDistoBandCutoff, cutoff);
}

// The linked cutoff moves with its partner: program value, controls, parameter and host,
// without a parameter change of its own.
void Zarvotone::MirrorParam(int index, double value)
{
    IParameter* param = GetParam(index);
    // A partner that holds the value already has no news for the host; a host that answers
    // with the same value therefore ends the exchange.
    const bool moved = param->FromNormalized(value) != param->Value();
    mCurrentValues.Store(index, value);
    param->SetNormalized(value);
    MarkDisplayDue(index);
    // A load tells the host of all its values at once when it is done.
    if (moved && !mLoadingValues)
        TellHostOfLinkedParam(index, value);
}

// Applying the values mirrors the sub-band cutoff into the disto-band cutoff, then that one back.
void Zarvotone::LinkBandCutoffs(std::array<double, kTotalParamCount>& values) const
{
    if (!IsAboveHalf(values[kParamBandLink]))
        return;
    values[kParamDistoBandCutoff] = GetParam(kParamDistoBandCutoff)->FromNormalized(values[kParamSubBandCutoff]);
    values[kParamSubBandCutoff] = GetParam(kParamSubBandCutoff)->FromNormalized(values[kParamDistoBandCutoff]);
}

int Zarvotone::LatencyAtMost() const
{
    return mUnits.OversampledLatency();
}

// Oversampled, the output comes later by the round trips' delay, which hosts make up for on
// other tracks once told. Told only on a change: a VST3 host restarts the component for it.
void Zarvotone::ReportLatency()
{
    const int latency = OversamplingSet() ? mUnits.OversampledLatency() : 0;
    if (latency != mLatency)
        SetLatency(latency);
}
