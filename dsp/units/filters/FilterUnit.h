#pragma once

#include "dsp/units/AudioProcessingUnit.h"
#include "dsp/units/filters/FilterBank.h"
#include "dsp/units/path/Saturator.h"
#include "framework/SampleArray.h"

#include <cstdint>

namespace Wezmark
{

// The filter section: an input drive, then two filters of any of the 31 types side by side
// on copies of the block, crossfaded by a smoothed balance. Both share cutoff and resonance.
// A type change crossfades the slot from the filter it had to the new one over the transition
// length; a change that comes during a crossfade waits for its end. A filter that the settled
// balance leaves out still runs, unheard, so that it comes back in with the memory it has from
// running all along: a filter of any type can be nonlinear or slow to forget.
class FilterUnit : public AudioProcessingUnit
{
public:
    static constexpr int32_t kInitialFrames = 1024;
    static constexpr int32_t kInitialType1 = 0;
    static constexpr int32_t kInitialType2 = 18;
    static constexpr int32_t kInitialTransitionSpeed = 2;

    FilterUnit();

    // Paces the balance glide as it runs at 44.1 kHz and sizes the working copies and the
    // drive's scratch for blocks of up to `maxFrames`; a rate that is not a positive finite
    // number leaves the unit at the rate it had.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    void SetCutoff(double hz);
    void SetResonance(double r);
    // The balance glides to `target`: 0 only filter 1 is heard, 1 only filter 2.
    void SetBalance(double target);
    // slot 0 is filter 1, slot 1 filter 2; other slots are ignored.
    void SelectFilterType(int slot, int type);
    // 0 glides type changes over 2048 frames, 2 over 256, 1 and any other value over 512.
    void SetTransitionSpeed(int speed);
    // Clears the memory of every filter of both slots and ends any type crossfade.
    void Reset();
    // The balance, a type crossfade and the bypass fade stand on their targets; the designs'
    // own glides end with Reset.
    void EndGlides();
    // In place; a block longer than the working copies passes unchanged.
    void Process(double* const io[2], int32_t n);

    double Cutoff() const { return cutoff; }
    double Resonance() const { return resonance; }
    double Balance() const { return balance; }
    double BalanceTarget() const { return balanceTarget; }
    // The type and design that slot 0 (filter 1) or any other slot (filter 2) has selected.
    int32_t FilterType(int slot) const { return slot == 0 ? filter1Type : filter2Type; }
    const Dsp::Filter* Design(int slot) const { return slot == 0 ? design1 : design2; }
    const FilterBank& Bank(int slot) const { return slot == 0 ? bank1 : bank2; }
    // In frames at the prepared rate.
    int32_t TransitionLength() const { return transitionLength; }

    // The input drive.
    Saturator saturator;

private:
    double cutoff = 1.0;
    double resonance = 0.0;
    // 0 only filter 1 is heard, 1 only filter 2.
    double balanceTarget = 1.0;
    int32_t filter1Type = kInitialType1;
    int32_t filter2Type = kInitialType2;
    double balanceA = TimeConstants::kUnpreparedKeep;
    double balanceB = 1.0 - TimeConstants::kUnpreparedKeep;
    double balance = 0.0;
    ChannelPair workA;
    ChannelPair workB;
    FilterBank bank1;
    FilterBank bank2;
    Dsp::Filter* design1 = nullptr;
    Dsp::Filter* design2 = nullptr;
    int32_t transitionSpeed = kInitialTransitionSpeed;
    int32_t transitionLength = TimeConstants::kFilterMediumTransitionFrames;
    // The transition length as tuned at 44.1 kHz; `transitionLength` is it at the current rate.
    int32_t mTunedTransitionLength = TimeConstants::kFilterMediumTransitionFrames;

    // What a slot plays: the filter heard, and during a type crossfade the one fading out.
    struct PlayingFilter
    {
        int32_t type = 0;
        Dsp::Filter* design = nullptr;
        int32_t outgoingType = 0;
        Dsp::Filter* outgoingDesign = nullptr;
        // Frames of the crossfade done and its length; a length of 0 means no crossfade.
        int32_t faded = 0;
        int32_t fadeLength = 0;
    };

    void SizeBuffers(int32_t frames);
    // A slot that is not heard leaves `io` holding anything; its filters' memories move on alike.
    static void RunSlot(FilterBank& bank, int32_t type, Dsp::Filter* design, double* const io[2], int32_t n,
                        bool heard);
    // Runs the slot on `io`, starting a crossfade to the selected filter where it plays another.
    void RunPlaying(FilterBank& bank, PlayingFilter& playing, int32_t type, Dsp::Filter* design, double* const io[2],
                    int32_t n, bool heard);
    // Gives the designs in use a new transition length, in frames at the current rate.
    void ApplyTransitionLength(int32_t frames);
    // Steps the balance over the block and mixes filter 2's copy into filter 1's by it.
    void MixByBalance(int32_t n);

    PlayingFilter mPlaying1;
    PlayingFilter mPlaying2;
    // The outgoing filter's copy of the block during a crossfade.
    ChannelPair mOutgoing;
};

} // namespace Wezmark
