#include "dsp/units/filters/FilterUnit.h"

#include "dsp/filters/Filter.h"
#include "dsp/units/GlideTimes.h"
#include "dsp/units/SmootherStep.h"
#include "dsp/units/filters/DesignTuning.h"
#include "dsp/units/filters/UsableSampleRate.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Wezmark
{

namespace
{

int32_t TransitionLengthForSpeed(int speed)
{
    switch (speed)
    {
    case 0:
        return TimeConstants::kFilterSlowTransitionFrames;
    case 2:
        return TimeConstants::kFilterFastTransitionFrames;
    default:
        return TimeConstants::kFilterMediumTransitionFrames;
    }
}

} // namespace

FilterUnit::FilterUnit() : saturator(Saturator::kHarmonicSaturation)
{
    SizeBuffers(kInitialFrames);
    bank1.CreateDesigns();
    bank2.CreateDesigns();
    design1 = bank1.GetDesignForType(filter1Type);
    design2 = bank2.GetDesignForType(filter2Type);
    const struct
    {
        Dsp::Filter* design;
        int32_t type;
    } slots[] = {{design1, filter1Type}, {design2, filter2Type}};
    for (const auto& slot : slots)
    {
        SetDesignResonance(slot.design, slot.type, resonance);
        SetDesignCutoff(slot.design, cutoff);
        slot.design->SetTransitionLength(transitionLength);
    }
    Reset();
}

void FilterUnit::Prepare(double rate, int32_t maxFrames, int32_t)
{
    balanceA = GlideTimes::Keep(TimeConstants::kFilterBalanceKeep, rate);
    balanceB = 1.0 - balanceA;
    if (IsUsableSampleRate(rate))
    {
        AudioProcessingUnit::Prepare(rate, maxFrames);
        bank1.SetSampleRate(rate);
        bank2.SetSampleRate(rate);
        bank1.SetStateVariableSampleRate(rate);
        bank2.SetStateVariableSampleRate(rate);
        // Setting a length arms a glide on the designs in use, so only a length the rate changes
        // is set.
        const int32_t frames = GlideTimes::FramesAt(mTunedTransitionLength, rate);
        if (frames != transitionLength)
            ApplyTransitionLength(frames);
    }
    SizeBuffers(maxFrames);
    saturator.Prepare(sampleRate, maxFrames);
}

void FilterUnit::SetCutoff(double hz)
{
    if (!std::isfinite(hz))
        return;
    cutoff = hz;
    SetDesignCutoff(design1, hz);
    SetDesignCutoff(design2, hz);
    bank1.SetStateVariableCutoff(hz);
    bank2.SetStateVariableCutoff(hz);
}

void FilterUnit::SetBalance(double target)
{
    balanceTarget = target;
}

void FilterUnit::SetResonance(double r)
{
    if (!std::isfinite(r))
        return;
    resonance = r;
    SetDesignResonance(design1, filter1Type, r);
    SetDesignResonance(design2, filter2Type, r);
    bank1.SetStateVariableResonance(r);
    bank2.SetStateVariableResonance(r);
}

void FilterUnit::SelectFilterType(int slot, int type)
{
    if (slot != 0 && slot != 1)
        return;
    FilterBank& bank = slot == 0 ? bank1 : bank2;
    Dsp::Filter*& design = slot == 0 ? design1 : design2;
    int32_t& storedType = slot == 0 ? filter1Type : filter2Type;
    storedType = type;
    design = bank.GetDesignForType(type);
    if (design == nullptr)
        return;
    SetDesignResonance(design, type, resonance);
    SetDesignCutoff(design, cutoff);
    design->SetTransitionLength(transitionLength);
    // A filter that the slot is not playing was not heard on its way to these settings: it
    // comes in on them, not gliding from wherever it was left.
    const PlayingFilter& playing = slot == 0 ? mPlaying1 : mPlaying2;
    if (design != playing.design && design != playing.outgoingDesign)
        design->FinishGlide();
}

void FilterUnit::SetTransitionSpeed(int speed)
{
    transitionSpeed = speed;
    mTunedTransitionLength = TransitionLengthForSpeed(speed);
    ApplyTransitionLength(GlideTimes::FramesAt(mTunedTransitionLength, sampleRate));
}

void FilterUnit::ApplyTransitionLength(int32_t frames)
{
    transitionLength = frames;
    if (design1 != nullptr)
        design1->SetTransitionLength(transitionLength);
    if (design2 != nullptr)
        design2->SetTransitionLength(transitionLength);
}

void FilterUnit::SizeBuffers(int32_t frames)
{
    ResizeChannelPair(workA, frames);
    ResizeChannelPair(workB, frames);
    ResizeChannelPair(mOutgoing, frames);
}

void FilterUnit::Reset()
{
    bank1.ResetDesigns();
    bank2.ResetDesigns();
    // A non-finite sample would otherwise stay in a state-variable filter for good.
    bank1.ResetStateVariables();
    bank2.ResetStateVariables();
    // With every memory cleared there is nothing to crossfade from.
    mPlaying1 = PlayingFilter{filter1Type, design1};
    mPlaying2 = PlayingFilter{filter2Type, design2};
}

void FilterUnit::EndGlides()
{
    AudioProcessingUnit::EndGlides();
    balance = balanceTarget;
    mPlaying1.fadeLength = 0;
    mPlaying2.fadeLength = 0;
}

void FilterUnit::RunSlot(FilterBank& bank, int32_t type, Dsp::Filter* design, double* const io[2], int32_t n,
                         bool heard)
{
    if (FilterBank::RunsStateVariable(type))
        bank.ProcessStateVariable(type, io, n);
    else if (heard)
        design->ProcessDouble(n, io);
    else
        design->ProcessUnheard(n, io);
}

void FilterUnit::RunPlaying(FilterBank& bank, PlayingFilter& playing, int32_t type, Dsp::Filter* design,
                            double* const io[2], int32_t n, bool heard)
{
    if (playing.fadeLength == 0 && (playing.type != type || playing.design != design))
        playing = PlayingFilter{type, design, playing.type, playing.design, 0, std::max(transitionLength, 1)};
    if (playing.fadeLength == 0 || playing.outgoingDesign == nullptr)
    {
        playing.fadeLength = 0;
        RunSlot(bank, playing.type, playing.design, io, n, heard);
        return;
    }
    const size_t bytes = sizeof(double) * static_cast<size_t>(n);
    std::memcpy(mOutgoing.left, io[0], bytes);
    std::memcpy(mOutgoing.right, io[1], bytes);
    double* const outgoing[2] = {mOutgoing.left, mOutgoing.right};
    RunSlot(bank, playing.outgoingType, playing.outgoingDesign, outgoing, n, heard);
    RunSlot(bank, playing.type, playing.design, io, n, heard);
    const double length = playing.fadeLength;
    for (int32_t i = 0; i < n && playing.faded + i < playing.fadeLength; ++i)
    {
        const double w = (playing.faded + i + 1) / length;
        io[0][i] = w * io[0][i] + (1.0 - w) * mOutgoing.left[i];
        io[1][i] = w * io[1][i] + (1.0 - w) * mOutgoing.right[i];
    }
    playing.faded += n;
    if (playing.faded >= playing.fadeLength)
        playing.fadeLength = 0;
}

void FilterUnit::Process(double* const io[2], int32_t n)
{
    if (fade == 0.0 && bypassed)
        return;
    if (n < 1 || n > workA.capacity || n > workB.capacity || n > mOutgoing.capacity || design1 == nullptr ||
        design2 == nullptr)
        return;
    saturator.BeginBlock();
    saturator.Process(io, n);
    const size_t bytes = sizeof(double) * static_cast<size_t>(n);
    const bool settled = SmootherStep(balance, balanceA, balanceB, balanceTarget) == balance;
    // Settled on one filter and fully on, the unit's output is that filter's: it runs on the
    // block in place, the other on a copy that no one hears.
    if (settled && fade == 1.0 && (balance == 0.0 || balance == 1.0))
    {
        ChannelPair& unheard = balance == 0.0 ? workB : workA;
        std::memcpy(unheard.left, io[0], bytes);
        std::memcpy(unheard.right, io[1], bytes);
        double* const copy[2] = {unheard.left, unheard.right};
        RunPlaying(bank1, mPlaying1, filter1Type, design1, balance == 0.0 ? io : copy, n, balance == 0.0);
        RunPlaying(bank2, mPlaying2, filter2Type, design2, balance == 0.0 ? copy : io, n, balance == 1.0);
        return;
    }
    // The dry side of the bypass fade is the saturated block.
    for (ChannelPair* work : {&workA, &workB})
    {
        std::memcpy(work->left, io[0], bytes);
        std::memcpy(work->right, io[1], bytes);
    }
    // A balance settled on one filter multiplies the other's output by exactly 0, so that one
    // runs unheard; otherwise the mix lands in A.
    double* const a[2] = {workA.left, workA.right};
    double* const b[2] = {workB.left, workB.right};
    RunPlaying(bank1, mPlaying1, filter1Type, design1, a, n, !settled || balance != 1.0);
    RunPlaying(bank2, mPlaying2, filter2Type, design2, b, n, !settled || balance != 0.0);
    const ChannelPair& heard = settled && balance == 1.0 ? workB : workA;
    if (!settled || (balance != 0.0 && balance != 1.0))
        MixByBalance(n);
    double* const mixed[2] = {heard.left, heard.right};
    if (fade != 1.0)
        MixBypassFade(io, mixed, n);
    std::memcpy(io[0], heard.left, bytes);
    std::memcpy(io[1], heard.right, bytes);
}

void FilterUnit::MixByBalance(int32_t n)
{
    // A settled balance is stepped once, not per frame: the later steps change nothing.
    const int32_t balanceSteps = SmootherStep(balance, balanceA, balanceB, balanceTarget) == balance ? 1 : n;
    double t = balance;
    for (int32_t i = 0; i < n; ++i)
    {
        if (i < balanceSteps)
            t = SmootherStep(t, balanceA, balanceB, balanceTarget);
        workA.left[i] = t * workB.left[i] + (1.0 - t) * workA.left[i];
        workA.right[i] = (1.0 - t) * workA.right[i] + t * workB.right[i];
    }
    // Where the glide has come within reach of one end, it lands there, so that the other
    // filter can stop.
    const double end = balanceTarget == 1.0 ? 1.0 : 0.0;
    if ((balanceTarget == 0.0 || balanceTarget == 1.0) && std::fabs(t - end) < kOffReached)
        t = end;
    balance = t;
}

} // namespace Wezmark
