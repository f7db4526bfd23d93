#include "dsp/units/filters/DumpExpand.h"

#include "dsp/filters/ChebyshevI/Designs.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/SmoothedFilterDesign.h"
#include "dsp/units/GlideTimes.h"
#include "dsp/units/filters/DesignParams.h"
#include "dsp/units/filters/TransitionTime.h"
#include "dsp/units/filters/UsableSampleRate.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Wezmark
{

namespace
{

constexpr double kLowestCutoff = 20.0;
constexpr double kHighestCutoff = 21000.0;
// The amount glides in pieces of 32 frames, each piece a new design; closer than this to its
// target it lands there.
constexpr int32_t kGlidePiece = 32;
constexpr double kAmountReached = 1e-9;
// Up to this rate the cutoffs are kept to 20..21000 Hz; above it the full 10..22040 Hz apply.
constexpr double kClampedRateLimit = 44100.0;

// The first parameter set is the design's own: gliding there from the library defaults
// (2000 Hz, order 2) on the first block threw the order-4 pair into a loud burst.
template <class DesignClass>
std::unique_ptr<Dsp::Filter> MakeDesign(double order, double hz)
{
    auto design = std::make_unique<Dsp::SmoothedFilterDesign<DesignClass, 2, Dsp::DirectFormI>>();
    Dsp::FilterParams values = DesignParams::Defaults(*design);
    DesignParams::Write(*design, values, Dsp::kOrderId, order);
    DesignParams::Write(*design, values, Dsp::kFrequencyId, hz);
    design->SetParams(values);
    return design;
}

} // namespace

DumpExpand::DumpExpand()
{
    Init();
    SizeBuffers(kInitialFrames);
    SetAmount(kNeutralAmount);
}

DumpExpand::~DumpExpand() = default;

void DumpExpand::Init()
{
    using Dsp::ChebyshevI::Design::HighPass;
    using Dsp::ChebyshevI::Design::LowPass;
    highPass2 = MakeDesign<HighPass<4>>(2.0, kLowestCutoff);
    lowPass2 = MakeDesign<LowPass<4>>(2.0, kHighestCutoff);
    highPass4 = MakeDesign<HighPass<4>>(4.0, kLowestCutoff);
    lowPass4 = MakeDesign<LowPass<4>>(4.0, kHighestCutoff);
    Reset();
}

void DumpExpand::Prepare(double rate, int32_t maxFrames, int32_t)
{
    SizeBuffers(maxFrames);
    if (!IsUsableSampleRate(rate))
        return;
    AudioProcessingUnit::Prepare(rate, maxFrames);
    for (Dsp::Filter* design : {highPass2.get(), lowPass2.get(), highPass4.get(), lowPass4.get()})
    {
        DesignParams::Set(*design, Dsp::kSampleRateId, rate);
        TimeTransition(*design, rate);
    }
    // The cutoff clamp depends on the rate: a rate change must not leave a stale cutoff.
    SetAmount(mAmountTarget);
}

void DumpExpand::GlideAmountTo(double a)
{
    // Before anything was heard there is nothing to glide from.
    if (!mHeardYet)
        SetAmount(a);
    else if (!std::isnan(a))
        mAmountTarget = std::clamp(a, 0.0, 1.0);
}

void DumpExpand::SetAmount(double a)
{
    if (std::isnan(a))
        return;
    mAmountTarget = std::clamp(a, 0.0, 1.0);
    SetAmountOnly(mAmountTarget);
}

void DumpExpand::SetAmountOnly(double a)
{
    amount = a;
    const double low = LowPassCutoff(amount, sampleRate);
    const double high = HighPassCutoff(amount, sampleRate);
    DesignParams::Set(*highPass2, Dsp::kFrequencyId, high);
    DesignParams::Set(*lowPass2, Dsp::kFrequencyId, low);
    DesignParams::Set(*highPass4, Dsp::kFrequencyId, high);
    DesignParams::Set(*lowPass4, Dsp::kFrequencyId, low);
}

double DumpExpand::Cutoff(double control, double rate)
{
    const Dsp::ParamInfo frequency = Dsp::FrequencyRecord(Dsp::kCutoffFrequencyName);
    const double hz = frequency.fromNormalised(frequency, control);
    return rate <= kClampedRateLimit ? std::clamp(hz, kLowestCutoff, kHighestCutoff) : hz;
}

double DumpExpand::LowPassCutoff(double a, double rate)
{
    return Cutoff(std::clamp(2.0 * a, 0.0, 1.0), rate);
}

double DumpExpand::HighPassCutoff(double a, double rate)
{
    return Cutoff(std::clamp(2.0 * a - 1.0, 0.0, 1.0), rate);
}

// Where the amount glides to, so that the display shows the setting at once.
double DumpExpand::GetAmount() const
{
    if (std::isnan(mAmountTarget))
        return 0.0;
    return AmountHz(mAmountTarget, sampleRate);
}

double DumpExpand::AmountHz(double a, double rate)
{
    const double amount = std::clamp(a, 0.0, 1.0);
    return amount < kNeutralAmount ? LowPassCutoff(amount, rate) : HighPassCutoff(amount, rate);
}

double DumpExpand::AmountOfHz(double hz, bool lowPass, double rate)
{
    const Dsp::ParamInfo frequency = Dsp::FrequencyRecord(Dsp::kCutoffFrequencyName);
    const double lowest = rate <= kClampedRateLimit ? kLowestCutoff : frequency.minValue;
    const double highest = rate <= kClampedRateLimit ? kHighestCutoff : frequency.maxValue;
    // The clamped ends exactly, where a rounding error would show the next text.
    double position = 0.0;
    if (hz >= highest)
        position = 1.0;
    else if (hz > lowest)
        position = std::clamp(frequency.toNormalised(frequency, hz), 0.0, 1.0);
    // Below the neutral amount only: the neutral amount itself is the high pass's.
    return lowPass ? std::min(0.5 * position, std::nextafter(kNeutralAmount, 0.0)) : kNeutralAmount + 0.5 * position;
}

void DumpExpand::SizeBuffers(int32_t frames)
{
    ResizeChannelPair(dry, frames);
    ResizeChannelPair(work, frames);
    ResizeChannelPair(mComing, frames);
}

void DumpExpand::Reset()
{
    for (Dsp::Filter* design : {highPass2.get(), lowPass2.get(), highPass4.get(), lowPass4.get()})
        design->Restart();
    mHeardYet = false;
}

void DumpExpand::EndGlides()
{
    AudioProcessingUnit::EndGlides();
    SetAmount(mAmountTarget);
    mPieceLeft = 0;
    if (!mSwitching)
        return;
    slope = mComingSlope;
    mSwitching = false;
    StartSwitchIfWanted();
}

void DumpExpand::Process(double* const io[2], int32_t n)
{
    mHeardYet = true;
    if (amount == mAmountTarget)
    {
        mPieceLeft = 0;
        ProcessPiece(io, n);
        return;
    }
    // The pieces run on across blocks, so any division of the signal sounds the same.
    const double keepPerPiece = std::pow(GlideTimes::Keep(TimeConstants::kDumpAmountKeep, sampleRate), kGlidePiece);
    for (int32_t offset = 0; offset < n;)
    {
        if (mPieceLeft == 0)
        {
            const double next = mAmountTarget + (amount - mAmountTarget) * keepPerPiece;
            SetAmountOnly(std::fabs(next - mAmountTarget) < kAmountReached ? mAmountTarget : next);
            mPieceLeft = kGlidePiece;
        }
        const int32_t count = std::min(mPieceLeft, n - offset);
        double* const piece[2] = {io[0] + offset, io[1] + offset};
        ProcessPiece(piece, count);
        mPieceLeft -= count;
        offset += count;
    }
}

void DumpExpand::ProcessPiece(double* const io[2], int32_t n)
{
    if (fade == 0.0 && bypassed)
        return;
    if (n < 1 || n > dry.capacity || n > work.capacity)
        return;
    // Fully on and on one slope, nothing needs the block as it came: the filters run in place.
    if (fade == 1.0 && !mSwitching)
    {
        ActiveLowPass().ProcessDouble(n, io);
        ActiveHighPass().ProcessDouble(n, io);
        return;
    }
    const size_t bytes = sizeof(double) * static_cast<size_t>(n);
    std::memcpy(dry.left, io[0], bytes);
    std::memcpy(dry.right, io[1], bytes);
    std::memcpy(work.left, io[0], bytes);
    std::memcpy(work.right, io[1], bytes);
    double* const processed[2] = {work.left, work.right};
    ActiveLowPass().ProcessDouble(n, processed);
    ActiveHighPass().ProcessDouble(n, processed);
    if (mSwitching)
        BlendComingPair(processed, n);
    if (fade != 1.0)
    {
        const double* const unprocessed[2] = {dry.left, dry.right};
        MixBypassFade(unprocessed, processed, n);
    }
    std::memcpy(io[0], work.left, bytes);
    std::memcpy(io[1], work.right, bytes);
}

Dsp::Filter& DumpExpand::LowPassOf(uint32_t pairSlope) const
{
    return IsOrderTwo(pairSlope) ? *lowPass2 : *lowPass4;
}

Dsp::Filter& DumpExpand::HighPassOf(uint32_t pairSlope) const
{
    return IsOrderTwo(pairSlope) ? *highPass2 : *highPass4;
}

void DumpExpand::SetSlope(uint32_t newSlope)
{
    mWantedSlope = newSlope;
    StartSwitchIfWanted();
}

void DumpExpand::StartSwitchIfWanted()
{
    if (mSwitching || !mHeardYet || IsOrderTwo(mWantedSlope) == IsOrderTwo(slope))
    {
        if (!mSwitching)
            slope = mWantedSlope;
        return;
    }
    mSwitching = true;
    mComingSlope = mWantedSlope;
    mWarmUpLeft = GlideTimes::Frames(TimeConstants::kDumpSlopeWarmUpSeconds, sampleRate);
    mComingWeight = 0.0;
    LowPassOf(mComingSlope).Reset();
    HighPassOf(mComingSlope).Reset();
}

// `io` holds the block through the pair heard; the coming pair runs on the unprocessed copy.
void DumpExpand::BlendComingPair(double* const io[2], int32_t n)
{
    const size_t bytes = sizeof(double) * static_cast<size_t>(n);
    std::memcpy(mComing.left, dry.left, bytes);
    std::memcpy(mComing.right, dry.right, bytes);
    double* const coming[2] = {mComing.left, mComing.right};
    LowPassOf(mComingSlope).ProcessDouble(n, coming);
    HighPassOf(mComingSlope).ProcessDouble(n, coming);
    const double step = GlideTimes::Step(TimeConstants::kUnitSwitchFadeStep, sampleRate);
    for (int32_t i = 0; i < n; ++i)
    {
        if (mWarmUpLeft > 0)
            --mWarmUpLeft;
        else
            mComingWeight = std::min(1.0, mComingWeight + step);
        io[0][i] = (1.0 - mComingWeight) * io[0][i] + mComingWeight * mComing.left[i];
        io[1][i] = (1.0 - mComingWeight) * io[1][i] + mComingWeight * mComing.right[i];
    }
    if (mComingWeight < 1.0)
        return;
    slope = mComingSlope;
    mSwitching = false;
    StartSwitchIfWanted();
}

} // namespace Wezmark
