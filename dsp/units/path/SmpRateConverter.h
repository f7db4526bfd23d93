#pragma once

#include "dsp/units/AudioProcessingUnit.h"
#include "dsp/units/TimeConstants.h"

#include <cstdint>

namespace Wezmark
{

// Sample-rate reduction: keeps `ratio` of the frames and holds each kept frame until the next.
// Its phase and held frame run on across blocks, so the host's block size never changes the
// sound. A higher ratio is reached by a glide on a log scale, so that the hold length shrinks a
// little at every kept frame instead of jumping, say, from 256 frames to 1; a lower one is taken
// at once. It has no fade: switching it takes effect at the next block.
class SmpRateConverter : public AudioProcessingUnit
{
public:
    // At the strongest setting a frame is held for at most 256 frames.
    static constexpr double kSlowestRatio = 1.0 / 256.0;

    // Paces the ratio's glide as it runs at 44.1 kHz. Nothing has been heard at the new rate,
    // so the next block takes its ratio at once.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // The held frame is let go; the next block keeps the frame at hand, at its ratio at once.
    void Reset();
    // The kept fraction stands on the ratio.
    void EndGlides();
    // In place; any number of frames at a time gives the same stream.
    void Process(double* const io[2], int32_t n);

    // Kept frames as a fraction of all host frames; exactly 1 means off.
    double ratio = 1.0;
    // Frames per host frame while the reducer runs oversampled: it keeps frames at the same
    // rate in host time.
    int32_t framesPerHostFrame = 1;

private:
    // The fraction of host frames that `ratio` keeps.
    double KeptTarget() const;

    double mGlideKeep = TimeConstants::kRateRatioKeep;
    double mGlideTake = 1.0 - TimeConstants::kRateRatioKeep;
    // The log of the fraction of host frames kept now, gliding to that of `ratio`.
    double mLogKept = 0.0;
    bool mHeardYet = false;
    // How much of a kept frame remains to be played; a new frame is kept when none remains.
    double mRemaining = 0.0;
    double mHeldLeft = 0.0;
    double mHeldRight = 0.0;
};

} // namespace Wezmark
