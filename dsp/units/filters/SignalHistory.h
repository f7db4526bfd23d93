#pragma once

#include "framework/SampleArray.h"

#include <cstdint>

namespace Wezmark
{

// The last frames of a stereo signal that a unit kept while one of its filters sat out, so
// that the filter can come back in with the memory it would have had: run over these frames
// from silence, it ends within rounding of where running all along would have left it.
class SignalHistory
{
public:
    // Enough for the slowest memory a skipped filter can have to decay far below hearing.
    static constexpr int32_t kFrames = 2048;

    SignalHistory();

    void Clear();
    void Write(const double* const io[2], int32_t n);
    // The kept frames, oldest first, in a copy that the caller may process in place.
    double* const* Recent();

private:
    ChannelPair ring;
    ChannelPair copy;
    double* copyChannels[2] = {nullptr, nullptr};
    int32_t next = 0;
};

} // namespace Wezmark
