#pragma once

#include "dsp/units/files/ResamplerFilter.h"
#include "framework/GrowBuffer.h"

#include <cstdint>
#include <memory>

// Changes the length of a mono sequence by stepping a fractional read position through it and
// interpolating linearly, with a second-order low-pass against aliasing: before the
// interpolation when shortening, after it when lengthening. Rates are in any positive unit
// (the curve import uses frame counts).
class Resampler
{
public:
    struct InputRoom
    {
        double* data;
        int32_t count;
    };

    Resampler();
    ~Resampler();
    Resampler(const Resampler&) = delete;
    Resampler& operator=(const Resampler&) = delete;

    // Rates below 1 count as 1.
    void SetRates(double inputRate, double outputRate);
    void Reset();

    // Where the caller writes the input for `outCount` outputs, and how many samples it may write.
    InputRoom Prepare(int32_t outCount);

    // Consumes the input written after Prepare (inCount samples of it real, the rest taken as
    // silence) and writes at most outCount outputs; returns how many are valid.
    int32_t ResampleOut(double* out, int32_t inCount, int32_t outCount);

private:
    double* Input() const;
    int32_t InputSize() const;
    ResamplerFilter& Filter();

    double mInputRate = 44100.0;
    double mOutputRate = 44100.0;
    double mPosition = 0.0;
    double mRatio = 1.0;
    float mFilterQ = 0.707f;
    float mFilterPosition = 0.693f;
    GrowBuffer mInput;
    std::unique_ptr<ResamplerFilter> mFilter;
    int32_t mLastRequested = 0;
    int32_t mHeld = 0;
    int32_t mFilterCount = 1;
};
