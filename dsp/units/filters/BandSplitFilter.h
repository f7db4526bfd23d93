#pragma once

#include "dsp/units/AudioProcessingUnit.h"
#include "framework/SampleArray.h"

#include <array>
#include <cstdint>
#include <memory>

namespace Dsp
{
class Filter;
}

namespace Wezmark
{

// Low-passes one stereo block and high-passes another with Butterworth designs of order 1,
// 2, 4 or 8 chosen by slope; the bands stay in the two working copies for the caller.
// A slope change starts the new design afresh on that side's signal, lets it warm up while the
// old one is still heard, then crossfades to it; a change that comes during a switch waits for
// its end. When the sub band comes
// in or goes out, the splits sweep up from the bottom of the range or down to it, so that the
// phase the split gives the signal turns gradually instead of at a crossfade with the unsplit
// signal, which would partly cancel.
class BandSplitFilter : public AudioProcessingUnit
{
public:
    static constexpr int32_t kInitialFrames = 1024;
    // The frequency record turns this control value into 200 Hz.
    static constexpr double kDefaultSplit = 0.38915574457972946;
    static constexpr uint32_t kSlopeCount = 4;

    BandSplitFilter();
    ~BandSplitFilter() override;

    void Init();
    // Sizes the working copies for blocks of up to `maxFrames`; a rate that is not a positive
    // finite number leaves the designs at the rate they had.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Sets the four low passes from a 0..1 control value (20..21000 Hz).
    void SetLowSplit(double v);
    // Sets the four high passes, and with link set the low passes too.
    void SetHighSplit(double v);
    // The split in Hz for control value `v`, clamped to 20 .. 21000 Hz.
    static double SplitHz(double v);
    // The control value whose split is `hz` (limited to 20 .. 21000 Hz).
    static double SplitPosition(double hz);
    // The cutoff in Hz of the design the slope chooses; 0 for a slope outside 0..3.
    double GetLowSplit() const;
    double GetHighSplit() const;
    // Magnitude at f cycles per sample of band 0's low pass or, for any other band, the high
    // pass the slopes choose; 1 where the slope chooses none.
    double Response(int band, double f) const;
    // Clears every design's memory and ends any slope crossfade; until the next block the
    // slopes change at once, there being nothing heard to crossfade from.
    void Reset();
    // A slope switch, a sweep and the bypass fade stand where they are going.
    void EndGlides();
    // Fills the working copies with the low band of lowIn and the high band of highIn.
    // A block longer than the working copies leaves them as they were.
    void Process(const double* const lowIn[2], const double* const highIn[2], int32_t n);

    // The splits glide up from the bottom of the range; nothing when already on them.
    void SweepIn();
    // The splits glide down to the bottom of the range and stay there; bands that were not
    // heard since EndSweep start there at once, with cleared memory.
    void SweepOut();
    // Back on the splits at once, the sweep ended; for bands that are no longer heard.
    void EndSweep();
    // On the splits at once, the sweep ended, for bands that go on being heard from there.
    void StandOnSplits();
    bool Sweeping() const { return mSweepLeft > 0; }

    double lowSplit = kDefaultSplit;
    double highSplit = kDefaultSplit;
    bool link = true;
    ChannelPair lowWork;
    ChannelPair highWork;
    // LP1, HP1, LP2, HP2, LP4, HP4, LP8, HP8.
    std::array<std::unique_ptr<Dsp::Filter>, 2 * kSlopeCount> designs;
    // 0..3 for orders 1, 2, 4, 8; other values leave that side unfiltered.
    uint32_t lowSlope = 1;
    uint32_t highSlope = 1;

private:
    // The slope a side plays and, during a switch, the one still heard while the new one warms
    // up and then fades out; no switch runs while `fadeLeft` is 0.
    struct PlayingSlope
    {
        uint32_t slope = 1;
        uint32_t outgoing = 1;
        int32_t warmUpLeft = 0;
        int32_t fadeLeft = 0;
        int32_t fadeFrames = 0;
    };

    // Filters `work` through the side's design of `slope`, crossfading from the one it played.
    void RunSide(bool lowSide, PlayingSlope& playing, uint32_t slope, ChannelPair& work, int32_t n);
    void StartSlopeSwitch(bool lowSide, PlayingSlope& playing, uint32_t slope) const;
    Dsp::Filter* DesignOfSide(bool lowSide, uint32_t slope) const;
    Dsp::Filter* LowPassOfSlope(uint32_t slope) const;
    Dsp::Filter* HighPassOfSlope(uint32_t slope) const;
    void SizeBuffers(int32_t frames);
    // Every design of a side glides to `hz` over `frames` at 44.1 kHz (0: at once).
    void MoveSide(bool lowSide, double hz, int32_t frames);
    void JumpToSplits();

    PlayingSlope mLowPlaying;
    PlayingSlope mHighPlaying;
    bool mHeardSinceReset = false;
    enum class Sweep
    {
        kOnSplits,
        kIn,
        // At the bottom or on the way there: the designs stay there, whatever the splits.
        kOut,
        // On the splits, not heard.
        kEnded,
    };
    Sweep mSweep = Sweep::kOnSplits;
    int32_t mSweepLeft = 0;
    // The outgoing design's copy of the block during a crossfade.
    ChannelPair mOutgoing;
};

} // namespace Wezmark
