#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Delays one channel by a whole number of frames up to a capacity sized beforehand, so the
// delay can change on the audio thread without allocating. A bypassed plug-in passes its input
// on through it, as late as its processed output would come.
class ChannelDelay
{
public:
    // Sizes the memory for delays up to `capacity` frames and clears it; not for the audio thread.
    void Prepare(int32_t capacity);
    // Delays beyond the capacity are held at it.
    void SetDelay(int32_t frames);
    int32_t Delay() const { return mDelay; }
    // Remembers `frames` of input; where `output` is given, it receives the input delayed. The
    // two may be one buffer.
    void Process(const double* input, double* output, int32_t frames);

private:
    void Remember(const double* input, int32_t frames);

    std::vector<double> mMemory;
    size_t mPosition = 0;
    int32_t mDelay = 0;
};
