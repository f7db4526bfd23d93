#pragma once

#include "framework/SampleArray.h"

#include <algorithm>
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

    // Up-samples `io`, runs `stage` on the high-rate frames and down-samples the result back into
    // `io`, piece by piece: the down-sampling of one piece shares a loop with the up-sampling of
    // the next, which makes the two filter paths nearly as fast as one. The result is that of
    // Upsample, stage, Downsample for a stage whose output does not depend on how a block is cut
    // into pieces. False (nothing done) when the block does not fit.
    template <class Stage>
    bool ProcessInPieces(double* const io[2], int32_t n, Stage stage);

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

private:
    static constexpr int32_t kPieceFrames = 32;

    // Up-samples host frames [upFrom, upFrom + upCount) of `in` into the up pair while
    // down-sampling the up pair's frames of host frames [downFrom, downFrom + downCount).
    void FilterSideBySide(const double* const in[2], int32_t upFrom, int32_t upCount, int32_t downFrom,
                          int32_t downCount);
};

template <class Stage>
bool Oversampler::ProcessInPieces(double* const io[2], int32_t n, Stage stage)
{
    if (n < 1)
        return true;
    if (static_cast<int64_t>(n) * factor > up.capacity || n > down.capacity)
        return false;
    int32_t processed = 0;
    int32_t downsampled = 0;
    while (downsampled < n)
    {
        const int32_t next = std::min(kPieceFrames, n - processed);
        FilterSideBySide(io, processed, next, downsampled, processed - downsampled);
        downsampled = processed;
        if (next > 0)
        {
            const size_t from = static_cast<size_t>(processed) * factor;
            double* const high[2] = {up.left + from, up.right + from};
            stage(high, next * static_cast<int32_t>(factor));
            processed += next;
        }
    }
    std::copy(down.left, down.left + n, io[0]);
    std::copy(down.right, down.right + n, io[1]);
    return true;
}
