#pragma once
// Deinterleaved audio held in double precision, one vector per channel of equal length.

#include <cstddef>
#include <cstdint>
#include <vector>

struct AudioBuffer
{
    AudioBuffer() = default;
    AudioBuffer(int32_t channelCount, int32_t frameCount)
        : channels(static_cast<size_t>(channelCount), std::vector<double>(static_cast<size_t>(frameCount)))
    {
    }

    int32_t ChannelCount() const { return static_cast<int32_t>(channels.size()); }
    int32_t FrameCount() const { return channels.empty() ? 0 : static_cast<int32_t>(channels[0].size()); }

    std::vector<std::vector<double>> channels;
};
