#pragma once

#include "dsp/units/AudioProcessingUnit.h"
#include "framework/SampleArray.h"

#include <cstdint>

namespace Wezmark
{

// Sample-rate reduction by decimating a block to fewer frames and holding each one.
// It has no fade: switching it takes effect at the next block.
class SmpRateConverter : public AudioProcessingUnit
{
public:
    static constexpr int32_t kInitialFrames = 1024;

    SmpRateConverter();

    // Sizes the held frames for blocks of up to `frames` and clears them.
    void SetBlockSize(int32_t frames);
    void ProcessBlock(double* const io[2], int32_t n);
    // ProcessBlock in parts: BeginBlock with the block's length, then ProcessPiece on its
    // frames in order, any number at a time; the result is that of ProcessBlock.
    void BeginBlock(int32_t n);
    void ProcessPiece(double* const io[2], int32_t count);

    // Kept frames per block as a fraction of the block; exactly 1 means off.
    double ratio = 1.0;
    ChannelPair held;

private:
    // The block under way: its length, its kept frames (0 when it passes unchanged), the
    // frames done and the kept frames read so far.
    int32_t mBlockFrames = 0;
    int32_t mKept = 0;
    int32_t mDone = 0;
    int32_t mGathered = 0;
};

} // namespace Wezmark
