#pragma once

#include "framework/SampleArray.h"

#include <array>
#include <cstdint>

// Runs a nonlinear stage at eight times the host rate: zero-stuffed up-sampling and
// decimation, each through an eighth-order all-pole low-pass at the host's Nyquist frequency.
struct Oversampler
{
    static constexpr uint32_t kFactor = 8;
    static constexpr int kOrder = 8;
    // Brings the kept phase of the two filters' steady ripple (about 1.1027) back to about unity.
    static constexpr double kOutputGain = 0.907123536140837;

    // y[n], y[n-1] .. y[n-8] of one filter path.
    using FilterState = std::array<double, kOrder + 1>;
    // c0 (input gain), then the feedback coefficients c1 .. c8.
    using Coefficients = std::array<double, kOrder + 1>;

    Oversampler() = default;
    Oversampler(const Oversampler&) = delete;
    Oversampler& operator=(const Oversampler&) = delete;

    // The owner's re-initialisation: stores rate and block size, sizes both pairs, then resets.
    void Prepare(double rate, uint32_t frames);
    // Designs the filters for the host Nyquist frequency and clears every path.
    void Reset();

    // Fills the up pair with n x factor frames; false (nothing written) when they do not fit.
    bool Upsample(const double* const in[2], int32_t n);
    // Filters m high-rate frames and keeps every factor-th one in the down pair; false (nothing
    // written) when the kept frames do not fit.
    bool Downsample(const double* const in[2], int32_t m);

    static double FilterStep(FilterState& state, double x, const Coefficients& c);

    ChannelPair up;
    ChannelPair down;
    double sampleRate = 44100.0;
    uint32_t blockSize = 1024;
    uint32_t factor = kFactor;
    Coefficients coefficients{};
    FilterState upLeft{};
    FilterState upRight{};
    FilterState downLeft{};
    FilterState downRight{};
    double outputGain = kOutputGain;
};
