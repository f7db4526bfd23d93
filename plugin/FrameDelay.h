#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Delays a stereo signal by whole frames: what an oversampled stage that is off adds in place
// of its round trip where nothing is mixed with its output later, so that the delay of the
// whole path stays as reported.
class FrameDelay
{
public:
    // Sizes the memory for `frames` of delay and clears it.
    void Prepare(int32_t frames);
    void Clear();
    void Process(double* const io[2], int32_t n);

private:
    std::vector<double> mLeft;
    std::vector<double> mRight;
    size_t mPosition = 0;
};
