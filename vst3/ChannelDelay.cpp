#include "vst3/ChannelDelay.h"

#include <algorithm>
#include <cstring>

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
    if (size == 0 || mDelay == 0)
    {
        if (output && output != input)
            std::memmove(output, input, sizeof(double) * static_cast<size_t>(std::max(frames, 0)));
        Remember(input, frames);
        return;
    }
    const auto delay = static_cast<size_t>(mDelay);
    for (int32_t i = 0; i < frames; ++i)
    {
        const double sample = input[i];
        if (output)
            output[i] = mMemory[(mPosition + size - delay) % size];
        mMemory[mPosition] = sample;
        if (++mPosition == size)
            mPosition = 0;
    }
}

// Without a delay the memory still follows the input, in runs up to its end, so that a delay
// set later plays the input that came before it.
void ChannelDelay::Remember(const double* input, int32_t frames)
{
    const size_t size = mMemory.size();
    if (size == 0 || frames <= 0)
        return;
    const auto count = static_cast<size_t>(frames);
    // Only the last `size` frames stay in memory.
    const size_t skipped = count > size ? count - size : 0;
    mPosition = (mPosition + skipped) % size;
    for (size_t done = skipped; done < count;)
    {
        const size_t run = std::min(count - done, size - mPosition);
        std::memcpy(mMemory.data() + mPosition, input + done, sizeof(double) * run);
        done += run;
        mPosition += run;
        if (mPosition == size)
            mPosition = 0;
    }
}
