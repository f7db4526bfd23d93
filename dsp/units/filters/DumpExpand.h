#pragma once

#include "dsp/units/AudioProcessingUnit.h"
#include "framework/SampleArray.h"

#include <cstdint>
#include <memory>

namespace Dsp
{
class Filter;
}

namespace Wezmark
{

// The output's one-knob sweep: below 0.5 a low pass closes from the top of the spectrum,
// above 0.5 a high pass opens from the bottom; 0.5 leaves the signal untouched. Chebyshev I
// pairs of order 2 or 4, chosen by the slope.
class DumpExpand : public AudioProcessingUnit
{
public:
    static constexpr int32_t kInitialFrames = 1024;
    static constexpr double kNeutralAmount = 0.5;

    DumpExpand();
    ~DumpExpand() override;

    void Init();
    // Sizes the working copies for blocks of up to `maxFrames`; a rate that is not a positive
    // finite number leaves the designs at the rate they had.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Clears the designs' memories; until the next block, settings apply at once.
    void Reset();
    // The amount, a slope switch and the bypass fade stand on their targets.
    void EndGlides();
    // At once, as after a rate change; the parameter glides there instead.
    void SetAmount(double a);
    // The amount moves toward `a` in pieces of a block: stepped at once, the filters swept
    // the whole spectrum within a few frames.
    void GlideAmountTo(double a);
    // The cutoff in Hz that the amount moves: the low pass's below 0.5, else the high pass's.
    double GetAmount() const;
    // The same for amount `a` (limited to 0..1) at `rate`, without a unit.
    static double AmountHz(double a, double rate);
    // The amount whose low pass (or high pass) cutoff at `rate` is `hz`, limited to the cutoffs
    // that rate allows.
    static double AmountOfHz(double hz, bool lowPass, double rate);
    // In place; a block longer than the working copies passes unchanged.
    void Process(double* const io[2], int32_t n);

    std::unique_ptr<Dsp::Filter> lowPass2;
    std::unique_ptr<Dsp::Filter> highPass2;
    std::unique_ptr<Dsp::Filter> lowPass4;
    std::unique_ptr<Dsp::Filter> highPass4;
    double amount = kNeutralAmount;
    ChannelPair dry;
    ChannelPair work;
    // The pair heard: 0 the order-2 pair, any other value the order-4 pair.
    uint32_t slope = 0;

    // The other pair starts afresh on the signal, is heard once it has warmed up, and
    // crossfades in over the bypass fade's time; a change during a switch waits for its end.
    void SetSlope(uint32_t newSlope);
    uint32_t WantedSlope() const { return mWantedSlope; }
    double AmountTarget() const { return mAmountTarget; }

private:
    Dsp::Filter& LowPassOf(uint32_t pairSlope) const;
    Dsp::Filter& HighPassOf(uint32_t pairSlope) const;
    Dsp::Filter& ActiveLowPass() const { return LowPassOf(slope); }
    Dsp::Filter& ActiveHighPass() const { return HighPassOf(slope); }
    bool IsOrderTwo(uint32_t pairSlope) const { return pairSlope == 0; }
    void StartSwitchIfWanted();
    void SizeBuffers(int32_t frames);
    // One piece of a block at the amount the designs stand on.
    void ProcessPiece(double* const io[2], int32_t n);
    // The designs' cutoffs for `a`, the target left as it is.
    void SetAmountOnly(double a);
    static double Cutoff(double control, double rate);
    static double LowPassCutoff(double a, double rate);
    static double HighPassCutoff(double a, double rate);
    void BlendComingPair(double* const io[2], int32_t n);

    // Whether a block ran since the designs were last reset: until then settings apply at once.
    bool mHeardYet = false;
    double mAmountTarget = kNeutralAmount;
    // Frames left of the glide's current piece.
    int32_t mPieceLeft = 0;
    uint32_t mWantedSlope = 0;
    bool mSwitching = false;
    uint32_t mComingSlope = 0;
    int32_t mWarmUpLeft = 0;
    // Weight of the coming pair, rising to 1.
    double mComingWeight = 0.0;
    ChannelPair mComing;
};

} // namespace Wezmark
