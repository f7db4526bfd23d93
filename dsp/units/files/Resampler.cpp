#include "dsp/units/files/Resampler.h"

#include <algorithm>
#include <cstring>

namespace
{
// Input beyond the step positions, so that interpolation always has a right neighbour.
constexpr int32_t kInputMargin = 4;
constexpr int64_t kSampleBytes = sizeof(double);

// (int) of a non-negative position or count, saturating instead of overflowing.
int32_t TruncateCount(double value)
{
    constexpr double kLimit = 2147483647.0;
    if (!(value > 0.0))
        return 0;
    return value >= kLimit ? static_cast<int32_t>(kLimit) : static_cast<int32_t>(value);
}
}

Resampler::Resampler() : mInput(GrowBuffer::kDefaultGranularity)
{
}

Resampler::~Resampler() = default;

double* Resampler::Input() const
{
    return static_cast<double*>(mInput.Data());
}

int32_t Resampler::InputSize() const
{
    return static_cast<int32_t>(mInput.Size() / kSampleBytes);
}

ResamplerFilter& Resampler::Filter()
{
    if (!mFilter)
        mFilter = std::make_unique<ResamplerFilter>();
    return *mFilter;
}

void Resampler::SetRates(double inputRate, double outputRate)
{
    inputRate = inputRate >= 1.0 ? inputRate : 1.0;
    outputRate = outputRate >= 1.0 ? outputRate : 1.0;
    if (inputRate != mInputRate || outputRate != mOutputRate)
    {
        mInputRate = inputRate;
        mOutputRate = outputRate;
        mRatio = inputRate / outputRate;
    }
}

void Resampler::Reset()
{
    mPosition = 0.0;
    mHeld = 0;
    mLastRequested = 0;
    mInput.Resize(0, false);
    if (mFilterCount == 0)
        mFilter.reset();
    else if (mFilter)
        mFilter->ClearHistories();
}

Resampler::InputRoom Resampler::Prepare(int32_t outCount)
{
    const int64_t wanted = static_cast<int64_t>(TruncateCount(mRatio * outCount)) + kInputMargin - mHeld;
    int32_t count = static_cast<int32_t>(std::clamp<int64_t>(wanted, 0, INT32_MAX - mHeld));
    for (;;)
    {
        mInput.Resize((static_cast<int64_t>(mHeld) + count) * kSampleBytes, false);
        const int32_t room = InputSize() - mHeld;
        if (room == count)
            break;
        if (count > kInputMargin && room <= 0)
        {
            count /= 2;
            continue;
        }
        count = std::max(room, 0);
        break;
    }
    mLastRequested = count;
    double* const input = Input();
    return {input != nullptr ? input + mHeld : nullptr, count};
}

int32_t Resampler::ResampleOut(double* out, int32_t inCount, int32_t outCount)
{
    inCount = std::clamp(inCount, 0, mLastRequested);
    if (mFilterCount > 0 && mRatio > 1.0 && inCount >= 1)
    {
        ResamplerFilter& filter = Filter();
        filter.BuildLowPass(mFilterPosition * (1.0 / mRatio), mFilterQ);
        double* const written = Input() + mHeld;
        for (int32_t pass = 0; pass < mFilterCount; ++pass)
            filter.Apply(written, written, inCount, pass);
    }

    // Input that was announced but not written counts as twice as much silence.
    int32_t available = 0;
    if (inCount >= mLastRequested)
    {
        mHeld += mLastRequested;
        available = mHeld;
    }
    else
    {
        mHeld += inCount;
        const int64_t silence = 2 * static_cast<int64_t>(mLastRequested - inCount);
        mInput.Resize((mHeld + silence) * kSampleBytes, false);
        available = std::max(InputSize(), mHeld);
        if (available > mHeld)
            std::fill(Input() + mHeld, Input() + available, 0.0);
    }

    const double* const in = Input();
    double p = mPosition;
    int32_t made = 0;
    while (made < outCount && p < available - 1)
    {
        const int32_t i = static_cast<int32_t>(p);
        const double f = p - i;
        out[made++] = (1.0 - f) * in[i] + f * in[i + 1];
        p += mRatio;
    }

    if (mFilterCount >= 1 && mRatio < 1.0 && made >= 1)
    {
        ResamplerFilter& filter = Filter();
        filter.BuildLowPass(mFilterPosition * mRatio, mFilterQ);
        for (int32_t pass = 0; pass < mFilterCount; ++pass)
            filter.Apply(out, out, made, pass);
    }

    // Outputs that lie beyond the real input, in the added silence, are not counted.
    if (made >= 1 && available > mHeld)
    {
        const double beyond = (p - mHeld) / mRatio;
        if (beyond > 0.0)
            made = std::max(0, made - TruncateCount(beyond + 0.5));
    }

    const int32_t consumed = std::min(mHeld, TruncateCount(p));
    mHeld -= consumed;
    mPosition = p - consumed;
    if (mHeld > 0)
        std::memmove(Input(), Input() + consumed, static_cast<size_t>(mHeld) * kSampleBytes);
    else
        mHeld = 0;
    return made;
}
