#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// Deterministic white noise in -amplitude..amplitude.
inline std::vector<double> WhiteNoise(int frames, double amplitude, uint32_t seed)
{
    std::vector<double> samples(frames);
    uint32_t state = seed;
    for (double& sample : samples)
    {
        state = state * 1664525u + 1013904223u;
        sample = amplitude * (static_cast<double>(state >> 8) / 8388608.0 - 1.0);
    }
    return samples;
}

// Two channel buffers and the pointer pair that the units take.
struct StereoBuffer
{
    explicit StereoBuffer(int frames, double value = 0.0) : left(frames, value), right(frames, value) {}
    StereoBuffer(std::vector<double> l, std::vector<double> r) : left(std::move(l)), right(std::move(r)) {}

    double* const* io()
    {
        pointers[0] = left.data();
        pointers[1] = right.data();
        return pointers;
    }

    const double* const* in()
    {
        constPointers[0] = left.data();
        constPointers[1] = right.data();
        return constPointers;
    }

    std::vector<double> left;
    std::vector<double> right;

private:
    double* pointers[2] = {};
    const double* constPointers[2] = {};
};
