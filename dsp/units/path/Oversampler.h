#pragma once

#include "dsp/SamplePair.h"
#include "dsp/units/path/HalfbandStage.h"
#include "dsp/filters/SimdLevel.h"
#include "framework/SampleArray.h"

#include <algorithm>
#include <cstdint>

// Runs a nonlinear stage at eight times the host rate through three factor-two half-band
// stages each way. The first stage, next to the host rate, is steep: flat to 48.25 % of the
// host rate and at least 89 dB down from 51.75 %, so that nearly nothing folds back below
// the host's Nyquist frequency. The two outer stages only have to keep the images of that
// band apart and are short. Gain is 1; the path is not linear-phase, so a signal that is
// mixed with the result must take the same path (RoundTrip) to stay aligned.
struct Oversampler
{
    static constexpr uint32_t kFactor = 8;
    // Host frames that go up and down together: enough that the filter loops start rarely, few
    // enough that a piece's high-rate frames and a stage's work on them stay in the nearest cache.
    static constexpr int32_t kPieceFrames = 128;

    // The most high-rate frames that Process hands a stage, for blocks of up to
    // `frames` host frames.
    static constexpr int32_t LongestPiece(int32_t frames)
    {
        return (frames < kPieceFrames ? frames : kPieceFrames) * static_cast<int32_t>(kFactor);
    }

    Oversampler();
    Oversampler(const Oversampler&) = delete;
    Oversampler& operator=(const Oversampler&) = delete;

    // Stores rate and block size (host frames), sizes both pairs, then resets. The widest loops
    // the processor allows are chosen here and at construction. It runs at the host rate.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Clears every filter memory.
    void Reset();
    // The filters have no glides.
    void EndGlides() {}
    // Every filter memory as `other` has it, for a round trip that continues where another one
    // made the same trip on the same signal.
    void TakeStateFrom(const Oversampler& other);

    // Fills the up pair with n x factor frames; false (nothing written) when they do not fit.
    bool Upsample(const double* const in[2], int32_t n);
    // Down-samples m high-rate frames (whole host frames: m a multiple of the factor) into the
    // down pair; false (nothing written) when m is not or the kept frames do not fit.
    bool Downsample(const double* const in[2], int32_t m);

    // Up-samples `io`, runs `stage` on the high-rate frames and down-samples the result back into
    // `io`, piece by piece. The result is that of Upsample, stage, Downsample for a stage whose
    // output does not depend on how a block is cut into pieces. False (nothing done) when the
    // block does not fit. Input values that are no number enter as silence.
    template <class Stage>
    bool Process(double* const io[2], int32_t n, Stage stage);

    // Up and down again with nothing in between: the delay and phase that the oversampled
    // path gives a stage's signal, for a signal that is later mixed with it.
    bool RoundTrip(double* const io[2], int32_t n);
    // Delay of a round trip at low frequencies, in host frames.
    double Latency() const;

    ChannelPair up;
    ChannelPair down;
    double sampleRate = 44100.0;
    uint32_t blockSize = 1024;
    uint32_t factor = kFactor;

private:
    static_assert(kFactor == 8, "three factor-two stages");

    void UpPiece(const double* const in[2], int32_t from, int32_t count);
    void DownPiece(const double* const in[2], int32_t from, int32_t count, double* const out[2]);
    // `count` host frames through the three stages up to eight times as many, and back.
    void UpThroughStages(const SamplePair* low, int32_t count, SamplePair* eightTimes);
    void DownThroughStages(const SamplePair* eightTimes, int32_t count, SamplePair* low);
    void ClearIfNotFinite();

    // The AVX2 loops instead of the portable ones.
    bool mWide = false;
    HalfbandStage<9> nearStage;
    HalfbandStage<3> middleStage;
    HalfbandStage<2> farStage;
};

template <class Stage>
bool Oversampler::Process(double* const io[2], int32_t n, Stage stage)
{
    if (n < 1)
        return true;
    if (static_cast<int64_t>(n) * factor > up.capacity)
        return false;
    for (int32_t from = 0; from < n; from += kPieceFrames)
    {
        const int32_t count = std::min(kPieceFrames, n - from);
        UpPiece(io, from, count);
        const size_t high = static_cast<size_t>(from) * factor;
        double* const piece[2] = {up.left + high, up.right + high};
        stage(piece, count * static_cast<int32_t>(factor));
        const double* const result[2] = {up.left, up.right};
        DownPiece(result, from, count, io);
    }
    ClearIfNotFinite();
    return true;
}
