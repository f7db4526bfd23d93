#include "vst3/ChannelDelay.h"

#include <algorithm>

void ChannelDelay::Prepare(int32_t capacity)
{
    mMemory.assign(static_cast<size_t>(std::max(capacity, 0)), 0.0);
    mPosition = 0;
    SetDelay(mDelay);
}

void ChannelDelay::SetDelay(int32_t frames)
{
    mDelay = std::clamp(frames, 0, static_cast<int32_t>(mMemory.size()));
}

void ChannelDelay::Process(const double* input, double* output, int32_t frames)
{
    const size_t size = mMemory.size();
    if (size == 0)
    {
        if (output && output != input)
            std::copy(input, input + std::max(frames, 0), output);
        return;
    }
    const auto delay = static_cast<size_t>(mDelay);
    for (int32_t i = 0; i < frames; ++i)
    {
        const double sample = input[i];
        if (output)
            output[i] = delay == 0 ? sample : mMemory[(mPosition + size - delay) % size];
        mMemory[mPosition] = sample;
        if (++mPosition == size)
            mPosition = 0;
    }
}
