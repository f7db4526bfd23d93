#include "plugin/DenormalGuard.h"
#include "plugin/OutputGuard.h"
#include "plugin/ParamConversions.h"
#include "plugin/RedrawControl.h"
#include "plugin/SharedWord.h"
#include "plugin/Zarvotone.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>

namespace
{
constexpr double kCentre = 0.5;
constexpr double kScopeDivisor = 601.0;
constexpr double kPercent = 100.0;
constexpr double kLargestDecimation = 4294967295.0;
constexpr int kScopeTab = 1;
constexpr int kAboutTab = 2;
constexpr int kTabCount = 3;

void CopyFrames(double* destination, const double* source, int32_t frames)
{
    std::memmove(destination, source, sizeof(double) * static_cast<size_t>(frames));
}

void CopyPair(double* const destination[2], const double* const source[2], int32_t frames)
{
    for (int c = 0; c < 2; ++c)
        CopyFrames(destination[c], source[c], frames);
}

void ZeroFrames(double* samples, int32_t frames)
{
    std::memset(samples, 0, sizeof(double) * static_cast<size_t>(frames));
}

// A host sample that is no number would stay in every filter's memory and, through the
// dry/wet mix, silence the output for good; it enters as silence instead. Both copies are
// written in one pass.
void CopyFinite(double* destination, double* second, const double* source, int32_t frames)
{
    for (int32_t i = 0; i < frames; ++i)
    {
        const double sample = std::isfinite(source[i]) ? source[i] : 0.0;
        destination[i] = sample;
        second[i] = sample;
    }
}

// One channel of a host block from `offset` on, or null when the host has no such channel.
double* HostChannel(double** channels, int index, int count, int32_t offset)
{
    if (!channels || index >= count || !channels[index])
        return nullptr;
    return channels[index] + offset;
}

// `signal` becomes the crossfade from itself to `oversampled`, whose share at each frame
// `weights` gives.
void MixInOversampled(double* const signal[2], const double* const oversampled[2], const double* weights,
                      int32_t frames)
{
    for (int c = 0; c < 2; ++c)
        for (int32_t i = 0; i < frames; ++i)
            signal[c][i] += weights[i] * (oversampled[c][i] - signal[c][i]);
}

// `signal` becomes the blend from `other` to itself, whose share at each frame `weights` (a
// glide's values) gives. Each channel is a loop of its own, one that vectorises.
template <class Values>
void Blend(double* signal, const double* other, Values weights, int32_t count)
{
    for (int32_t k = 0; k < count; ++k)
        signal[k] = (1.0 - weights[k]) * other[k] + weights[k] * signal[k];
}

// A frame averaged with the next one where there is a next one.
double ScopeValue(const double* samples, int32_t i, int32_t frames)
{
    return i + 1 < frames ? (samples[i] + samples[i + 1]) * 0.5 : samples[i];
}
}

// Runs a stage that depends on the rate on the block, at each rate whose path runs; while both
// do, the block becomes the crossfade of their results. `start(stages)` readies the stage for the
// block and says whether it works on it; `piece(stages, io, frames)` runs it on part of the
// block. Oversampled, the stage gets the high-rate block in pieces, which lets the oversampler's
// two filters run side by side; an idle stage makes the round trip alone, which gives the signal
// the delay and phase of the stage's path.
template <class Start, class Piece>
void Zarvotone::RunRateStage(Oversampler& oversampler, double* const signal[2], int32_t n, Start start, Piece piece)
{
    const bool both = mOversamplingSwitch.Both();
    double* const incoming[2] = {mSwitchSignal.left, mSwitchSignal.right};
    if (both)
        CopyPair(incoming, signal, n);
    if (mOversamplingSwitch.Runs(false))
    {
        RateStages& stages = mUnits.hostRate;
        if (start(stages))
            piece(stages, signal, n);
    }
    if (!mOversamplingSwitch.Runs(true))
        return;
    RateStages& stages = mUnits.oversampled;
    double* const* io = both ? incoming : signal;
    if (start(stages))
        oversampler.Process(io, n, [&](double* const part[2], int32_t frames) { piece(stages, part, frames); });
    else
        oversampler.RoundTrip(io, n);
    if (both)
        MixInOversampled(signal, incoming, mOversamplingSwitch.Weights(), n);
}

void Zarvotone::ProcessBlock(double** inputs, double** outputs, int frames)
{
    DenormalGuard denormals;
    const AudioCall audioCall(*this);
    if (frames <= 0)
        return;
    const int inputCount = GetInChannelCount();
    const int outputCount = GetOutChannelCount();
    if (mPreparedFrames <= 0)
    {
        for (int c = 0; c < 2; ++c)
            if (double* output = HostChannel(outputs, c, outputCount, 0))
                ZeroFrames(output, frames);
        return;
    }
    // A slice ends at the prepared size or where a step of a program change's quiet point is
    // due, whichever comes first; the next one starts where it ended.
    int32_t count = 0;
    for (int32_t offset = 0; offset < frames; offset += count)
    {
        count = std::min({mPreparedFrames, frames - offset, mProgramFade.FramesToNextStep()});
        const double* const in[2] = {HostChannel(inputs, 0, inputCount, offset),
                                     HostChannel(inputs, 1, inputCount, offset)};
        double* const out[2] = {HostChannel(outputs, 0, outputCount, offset),
                                HostChannel(outputs, 1, outputCount, offset)};
        try
        {
            ProcessSlice(in, out, count);
        }
        catch (...)
        {
            // A filter design that fails numerically must not take the host down; the slice is silent.
            for (double* output : out)
                if (output)
                    ZeroFrames(output, count);
        }
    }
}

void Zarvotone::ProcessSlice(const double* const inputs[2], double* const outputs[2], int32_t n)
{
    // Values stepped for a slice that failed are not heard.
    mVolumeStepped = false;
    // The first block starts on the settings made since the preparation instead of gliding
    // there, frame by frame, from ones that were never heard.
    if (mFirstBlockAfterPrepare)
    {
        mUnits.Reset();
        mFirstBlockAfterPrepare = false;
    }
    if (const int32_t step = mProgramFade.DueStep(); step != ProgramChangeFade::kNoStep)
    {
        mProgramFade.StepTaken();
        TakeQuietPointStep(step);
    }

    // A missing input plays silence; a mono input feeds both sides.
    const double* inLeft = mSilence.data;
    const double* inRight = mSilence.data;
    if (inputs[0])
        inLeft = inRight = inputs[0];
    if (inputs[1])
    {
        inRight = inputs[1];
        if (!inputs[0])
            inLeft = inputs[1];
    }
    CopyFinite(mDry.left, mSignal.left, inLeft, n);
    CopyFinite(mDry.right, mSignal.right, inRight, n);
    double* const signal[2] = {mSignal.left, mSignal.right};

    // Between the steps of a quiet point the units stand half on the new settings, whose glides
    // would redesign filters at every frame; unheard anyway, they wait for the last step.
    if (mProgramFade.Applying())
    {
        ZeroFrames(mSignal.left, n);
        ZeroFrames(mSignal.right, n);
    }
    else
        RunUnits(n);

    mProgramFade.Scale(signal, n);
    VolumeGuardAndHolds(n);

    // Several host channels may be one buffer; each gets the finished signal.
    if (outputs[0])
        CopyFrames(outputs[0], mSignal.left, n);
    if (outputs[1])
        CopyFrames(outputs[1], mSignal.right, n);

    switch (VisibleTab())
    {
    case kScopeTab:
        if (mScopePace.Advance(n, FeedScope(n), GetSampleRate()))
            RedrawControl(mControls.scopeDrawer);
        break;
    case kAboutTab:
    {
        const double* const finished[2] = {mSignal.left, mSignal.right};
        mUnits.levelMeter.Process(finished, n);
        for (IControl* eye : mControls.vuEyes)
            RedrawControl(eye);
        break;
    }
    default:
        break;
    }
    PollTempo();
}

// The input stage to the limiter, on the input in mDry and mSignal.
void Zarvotone::RunUnits(int32_t n)
{
    double* const signal[2] = {mSignal.left, mSignal.right};

    // An action waits with a program change, so that it acts on the curve the change brings
    // rather than on one the quiet point replaces. A plain read comes first: a locked exchange
    // at every piece of an automated block costs more than the rare action.
    if (!mProgramFade.Pending() && mPendingCurveAction.load(std::memory_order_relaxed) != kNoCurveAction)
    {
        const uint32_t action = mPendingCurveAction.exchange(kNoCurveAction, std::memory_order_relaxed);
        // An action the curves have no room for yet waits, unless a newer one came meanwhile.
        uint32_t none = kNoCurveAction;
        if (action != kNoCurveAction && !ApplyCurveActionToChains(action))
            mPendingCurveAction.compare_exchange_strong(none, action, std::memory_order_relaxed);
    }

    mOversamplingSwitch.Begin(OversamplingWanted(), n);
    for (const bool oversampled : {false, true})
        if (mOversamplingSwitch.Starts(oversampled))
            mUnits.Stages(oversampled).TakeGlidesFrom(mUnits.Stages(!oversampled));
    if (mOversamplingSwitch.Starts(true))
        mUnits.ResetOversamplers();
    mInputIdle = true;
    RunRateStage(
        mUnits.inputOversampler, signal, n,
        [this](RateStages& stages) {
            stages.input.BeginBlock();
            const bool works = !stages.input.PassesUnchanged();
            mInputIdle = mInputIdle && !works;
            return works;
        },
        [](RateStages& stages, double* const io[2], int32_t frames) { stages.input.Process(io, frames); });

    const double bypassTarget = mCurrentValues.Get(kParamBypassAll);
    const bool pathRuns = mBypass.PathRuns(bypassTarget);
    if (pathRuns)
    {
        CopyFrames(mChainSignal.left, mSignal.left, n);
        CopyFrames(mChainSignal.right, mSignal.right, n);
        RunEffectPath(n);
    }
    else
    {
        ZeroFrames(mChainSignal.left, n);
        ZeroFrames(mChainSignal.right, n);
    }

    // The sub-band path reads the input as it came, never a host buffer that may since have
    // been written.
    AlignDryWithChain(BypassHeard(bypassTarget), n);
    const double* const dry[2] = {mDry.left, mDry.right};
    double* const chain[2] = {mChainSignal.left, mChainSignal.right};
    mUnits.subBand.Process(dry, chain, n);

    AlignBypassedSignal(bypassTarget, n);
    mBypass.Glide(bypassTarget, pathRuns, n, [this](int32_t first, auto weights, int32_t count) {
        Blend(mSignal.left + first, mChainSignal.left + first, weights, count);
        Blend(mSignal.right + first, mChainSignal.right + first, weights, count);
    });

    RunRateStage(
        mUnits.outputOversampler, signal, n,
        [](RateStages& stages) {
            stages.outputSaturator.BeginBlock();
            return stages.outputSaturator.Running();
        },
        [](RateStages& stages, double* const io[2], int32_t frames) {
            stages.outputSaturator.Process(io, frames);
        });
    mUnits.outputSweep.Process(signal, n);

    PanAndMix(n);
    mUnits.outputFilter.Process(signal, n);

    const bool limiterOn = mCurrentValues.Get(kParamLimiterMode) > 0.0;
    RunRateStage(
        mUnits.limiterOversampler, signal, n,
        [limiterOn](RateStages& stages) { return limiterOn || stages.limiter.GlidingOut(); },
        [](RateStages& stages, double* const io[2], int32_t frames) { stages.limiter.Process(io, io, frames); });
}

// The stereo position, then the blend with the input as it came.
void Zarvotone::PanAndMix(int32_t n)
{
    AlignDry(n);
    const double panTarget = mCurrentValues.Get(kParamPan);
    const auto pan = [this](int32_t first, auto positions, int32_t count) {
        // Right of the centre the left side fades, left of it the right side. Each gain is 1
        // exactly on the side that stays, and the loops, free of branches, vectorise.
        double* left = mSignal.left + first;
        for (int32_t k = 0; k < count; ++k)
            left[k] *= std::min(1.0 - 2.0 * (positions[k] - kCentre), 1.0);
        double* right = mSignal.right + first;
        for (int32_t k = 0; k < count; ++k)
            right[k] *= std::min(2.0 * positions[k], 1.0);
    };
    const double volumeTarget = mCurrentValues.Get(kParamVolume);
    ChooseVolumePace(volumeTarget);
    if (!mPanSmoother.Settled(panTarget) && !mVolumeSmoother.Settled(volumeTarget))
    {
        // Each glide's steps wait on its previous one: stepped side by side, the two take
        // the time of one. The volume is applied later, after the output stages.
        mSteppedVolume = mVolumeSmoother;
        for (int32_t first = 0; first < n; first += kGlideChunk)
        {
            double positions[kGlideChunk];
            const int32_t count = std::min(kGlideChunk, n - first);
            mPanSmoother.StepInto(panTarget, positions, mSteppedVolume, volumeTarget, mSteppedVolumes.data + first,
                                  count);
            pan(first, static_cast<const double*>(positions), count);
        }
        mVolumeStepped = true;
    }
    // Settled in the centre, the pan multiplies by exactly 1.
    else if (!(mPanSmoother.value == kCentre && mPanSmoother.Settled(panTarget)))
        mPanSmoother.Glide(panTarget, n, pan);

    mDryWetSmoother.Glide(mCurrentValues.Get(kParamDryWet), n, [this](int32_t first, auto weights, int32_t count) {
        Blend(mSignal.left + first, mDry.left + first, weights, count);
        Blend(mSignal.right + first, mDry.right + first, weights, count);
    });
}

// Output volume, the output guard (no number becomes silence, the rest stays within +10 dB) and
// the peak holds, cleared when a reset was requested.
void Zarvotone::VolumeGuardAndHolds(int32_t n)
{
    const double startLeft = mPeakHoldLeft.load(std::memory_order_relaxed);
    const double startRight = mPeakHoldRight.load(std::memory_order_relaxed);
    double holdLeft = startLeft;
    double holdRight = startRight;
    const double volumeTarget = mCurrentValues.Get(kParamVolume);
    ChooseVolumePace(volumeTarget);
    const auto volume = [&](int32_t first, auto volumes, int32_t count) {
        holdLeft = OutputGuard::ScaleGuardAndPeak(mSignal.left + first, volumes, count, holdLeft);
        holdRight = OutputGuard::ScaleGuardAndPeak(mSignal.right + first, volumes, count, holdRight);
    };
    if (mVolumeStepped)
    {
        volume(0, static_cast<const double*>(mSteppedVolumes.data), n);
        mVolumeSmoother = mSteppedVolume;
        mVolumeStepped = false;
    }
    else
        mVolumeSmoother.Glide(volumeTarget, n, volume);
    const bool reset = mMeterResetRequest.load(std::memory_order_relaxed) &&
                       mMeterResetRequest.exchange(false, std::memory_order_relaxed);
    if (reset)
        holdLeft = holdRight = 0.0;
    mPeakHoldLeft.store(holdLeft, std::memory_order_relaxed);
    mPeakHoldRight.store(holdRight, std::memory_order_relaxed);
    if (reset || holdLeft != startLeft || holdRight != startRight)
        RedrawControl(mControls.maxLevelText);
}

// The pace is chosen once per new target, so a settled volume stays where it settled.
void Zarvotone::ChooseVolumePace(double target)
{
    if (target == mVolumeGlideTarget)
        return;
    mVolumeGlideTarget = target;
    mVolumeSmoother.SetCoefficient(target > mVolumeSmoother.value ? mVolumeRiseKeep : mVolumeFallKeep);
}

// The chain that is `member` of the stages of each rate, on `chain` while `on` and while it
// fades out after.
void Zarvotone::RunChainStage(Oversampler& oversampler, DistortionChain RateStages::*member, bool on,
                              double* const chain[2], int32_t n)
{
    RunRateStage(
        oversampler, chain, n,
        [on, member](RateStages& stages) {
            const bool works = (stages.*member).Switch(on);
            if (works)
                (stages.*member).BeginBlock();
            return works;
        },
        [member](RateStages& stages, double* const io[2], int32_t frames) {
            (stages.*member).Process(io, frames);
        });
}

// Pre-filter chain, filter unit, post-filter chain and disto-band EQ on the chain signal.
void Zarvotone::RunEffectPath(int32_t n)
{
    CommitDrawingFromBlock();
    double* const chain[2] = {mChainSignal.left, mChainSignal.right};
    RunChainStage(mUnits.chain1Oversampler, &RateStages::chain1, mCurrentValues.Get(kParamPreFilterProcess) > 0.0,
                  chain, n);
    mUnits.filter.Process(chain, n);
    RunChainStage(mUnits.chain2Oversampler, &RateStages::chain2, mCurrentValues.Get(kParamPostFilterProcess) > 0.0,
                  chain, n);
    // Also while the path fades out: an equaliser stopping at the switch would step.
    mUnits.distoEq.Process(chain, n);
}

bool Zarvotone::FeedScope(int32_t n)
{
    bool changed = mScope.TakeRequests();
    const uint32_t decimation = ScopeDecimation();
    const bool frozen = mScopeFrozen.load(std::memory_order_relaxed);
    for (int32_t i = 0; i < n; ++i)
    {
        if (mScope.sampleCounter % decimation == 0 && !frozen)
        {
            ScopeEntry entry;
            entry.inputLeft = ScopeValue(mDry.left, i, n);
            entry.inputRight = ScopeValue(mDry.right, i, n);
            entry.outputLeft = ScopeValue(mSignal.left, i, n);
            entry.outputRight = ScopeValue(mSignal.right, i, n);
            mScope.Write(entry);
            changed = true;
        }
        ++mScope.sampleCounter;
    }
    return changed;
}

// Frames per scope entry, so that the ring spans the zoomed time; 1 where that cannot be computed.
uint32_t Zarvotone::ScopeDecimation() const
{
    const double zoom = LoadShared(mConfig.ScopeZoom);
    const double shownZoom = std::isfinite(zoom) && zoom > 0.0 ? zoom : PluginConfig::kDefaultScopeZoom;
    const double rate = GetSampleRate();
    const double span = 1.0 / (shownZoom / kPercent);
    if (!std::isfinite(rate) || rate <= 0.0 || !std::isfinite(span) || span <= 0.0)
        return 1;
    const double decimation = rate * span / kScopeDivisor;
    if (!std::isfinite(decimation) || decimation < 1.0)
        return 1;
    return static_cast<uint32_t>(std::min(decimation, kLargestDecimation));
}

// A tab setting outside the editor's tabs counts as the first tab.
int Zarvotone::VisibleTab() const
{
    const double tab = LoadShared(mConfig.VisibleTab);
    if (!(tab >= 0.0 && tab < kTabCount))
        return static_cast<int>(PluginConfig::kDefaultVisibleTab);
    return static_cast<int>(tab);
}

// A new tempo shows in the host information.
void Zarvotone::PollTempo()
{
    const double tempo = GetTempo();
    if (tempo == mLastTempo)
        return;
    mLastTempo = tempo;
    RedrawControl(mControls.hostInfoText);
}

bool Zarvotone::OversamplingWanted() const
{
    return ParamConversions::IsAboveHalf(mCurrentValues.Get(kParamOversampling));
}

bool Zarvotone::OversamplingSet() const
{
    return ParamConversions::IsAboveHalf(GetParam(kParamOversampling)->Value());
}

namespace
{
// A weight in a crossfade below which the signal cannot be heard: where it has no more, it
// need not be aligned. (A smoother may settle a hair away from its target.)
constexpr double kNoWeight = 1e-9;
} // namespace

// Runs `oversamplers`' round trips on `pair` while the oversampled path runs and the pair is
// `heard`, starting them afresh after a pause. While the two paths crossfade, the result of each
// round trip crossfades with the signal that skipped it, as the stages' outputs do.
void Zarvotone::AlignThrough(std::span<Oversampler> oversamplers, bool heard, bool& running, ChannelPair& pair,
                             int32_t n)
{
    const bool needed = heard && mOversamplingSwitch.Runs(true);
    if (needed && !running)
        for (Oversampler& oversampler : oversamplers)
            oversampler.Reset();
    running = needed;
    if (!needed)
        return;
    double* const io[2] = {pair.left, pair.right};
    double* const incoming[2] = {mSwitchSignal.left, mSwitchSignal.right};
    const bool both = mOversamplingSwitch.Both();
    for (Oversampler& oversampler : oversamplers)
    {
        if (!both)
        {
            oversampler.RoundTrip(io, n);
            continue;
        }
        CopyPair(incoming, io, n);
        oversampler.RoundTrip(incoming, n);
        MixInOversampled(io, incoming, mOversamplingSwitch.Weights(), n);
    }
}

// Oversampled, the chain signal reaches the sub-band path after three round trips (the input
// stage's and both chains'), and the wet signal reaches the mix after a fourth (the output
// saturator's). The dry signal makes the first three while the sub-band path or the mix hears
// it, and the fourth while the mix does.
void Zarvotone::AlignDryWithChain(bool bypassHeard, int32_t n)
{
    const bool heard = DryHeard() || mUnits.subBand.Running();
    if (!heard || !mOversamplingSwitch.Runs(true) || !mInputIdle)
    {
        AlignThrough(std::span(mUnits.dryOversamplers).first<3>(), heard, mDryAligningWithChain, mDry, n);
        return;
    }
    // An idle input stage made the round trip alone, on the same signal: its result (the
    // signal that the effect path left alone) is the dry signal's first round trip, and the
    // first aligner takes its memory to go on from there when the stage runs again.
    CopyFrames(mDry.left, mSignal.left, n);
    CopyFrames(mDry.right, mSignal.right, n);
    mUnits.dryOversamplers[0].TakeStateFrom(mUnits.inputOversampler);
    // The other two are then the round trips that the bypassed signal makes on that same
    // signal: starting while those run, they go on from their memory instead of from silence.
    if (!mDryAligningWithChain && mBypassAligning && bypassHeard && !mOversamplingSwitch.Both())
    {
        for (size_t k = 0; k < mUnits.bypassOversamplers.size(); ++k)
            mUnits.dryOversamplers[k + 1].TakeStateFrom(mUnits.bypassOversamplers[k]);
        mDryAligningWithChain = true;
    }
    AlignThrough(std::span(mUnits.dryOversamplers).subspan<1, 2>(), heard, mDryAligningWithChain, mDry, n);
}

void Zarvotone::AlignDry(int32_t n)
{
    AlignThrough(std::span(mUnits.dryOversamplers).last<1>(), DryHeard(), mDryAligning, mDry, n);
}

// Unless the mix leaves the dry signal out altogether.
bool Zarvotone::DryHeard() const
{
    return mCurrentValues.Get(kParamDryWet) < 1.0 || mDryWetSmoother.Value() < 1.0 - kNoWeight;
}

// The signal that bypasses the effect path misses both chains' round trips; it makes them while
// it has any weight in the bypass crossfade.
void Zarvotone::AlignBypassedSignal(double bypassTarget, int32_t n)
{
    const bool heard = BypassHeard(bypassTarget);
    if (heard && mOversamplingSwitch.Runs(true) && !mOversamplingSwitch.Both() && mInputIdle && mDryAligningWithChain)
    {
        // The dry signal's aligners have just made both round trips on this very signal (the
        // idle input stage's result): their result and memory serve it. Not while the rates
        // crossfade, where each round trip's result is mixed with the signal that skipped it.
        for (size_t k = 0; k < mUnits.bypassOversamplers.size(); ++k)
            mUnits.bypassOversamplers[k].TakeStateFrom(mUnits.dryOversamplers[k + 1]);
        CopyFrames(mSignal.left, mDry.left, n);
        CopyFrames(mSignal.right, mDry.right, n);
        mBypassAligning = true;
        return;
    }
    AlignThrough(mUnits.bypassOversamplers, heard, mBypassAligning, mSignal, n);
}

bool Zarvotone::BypassHeard(double bypassTarget) const
{
    return bypassTarget > 0.0 || mBypass.Value() > kNoWeight;
}
