#pragma once

#include "dsp/units/AudioProcessingUnit.h"

#include <cstdint>

namespace Wezmark
{

// Sample-rate reduction: keeps `ratio` of the frames and holds each kept frame until the next.
// Its phase and held frame run on across blocks, so the host's block size never changes the
// sound. It has no fade: switching it takes effect at the next block.
class SmpRateConverter : public AudioProcessingUnit
{
public:
    // At the strongest setting a frame is held for at most 256 frames.
    static constexpr double kSlowestRatio = 1.0 / 256.0;

    // In place; any number of frames at a time gives the same stream.
    void ProcessBlock(double* const io[2], int32_t n);

    // Kept frames as a fraction of all host frames; exactly 1 means off.
    double ratio = 1.0;
    // Frames per host frame while the reducer runs oversampled: it keeps frames at the same
    // rate in host time.
    int32_t framesPerHostFrame = 1;

private:
    // How much of a kept frame remains to be played; a new frame is kept when none remains.
    double mRemaining = 0.0;
    double mHeldLeft = 0.0;
    double mHeldRight = 0.0;
};

} // namespace Wezmark
