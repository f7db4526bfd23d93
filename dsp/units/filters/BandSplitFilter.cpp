#include "dsp/units/filters/BandSplitFilter.h"

#include "dsp/filters/Butterworth/Designs.h"
#include "dsp/filters/DirectFormII.h"
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

constexpr double kMinSplit = 20.0;
constexpr double kMaxSplit = 21000.0;
constexpr double kInitialSplitHz = 200.0;

template <class DesignClass>
std::unique_ptr<Dsp::Filter> MakeDesign()
{
    return std::make_unique<Dsp::SmoothedFilterDesign<DesignClass, 2, Dsp::DirectFormII>>();
}

namespace Butterworth = Dsp::Butterworth::Design;

} // namespace

BandSplitFilter::BandSplitFilter()
{
    SetBypass(false);
    SizeBuffers(kInitialFrames);
    Init();
    SetHighSplit(kDefaultSplit);
    SetLowSplit(kDefaultSplit);
    Reset();
}

BandSplitFilter::~BandSplitFilter() = default;

void BandSplitFilter::Init()
{
    designs = {
        MakeDesign<Butterworth::LowPass<1>>(), MakeDesign<Butterworth::HighPass<1>>(),
        MakeDesign<Butterworth::LowPass<2>>(), MakeDesign<Butterworth::HighPass<2>>(),
        MakeDesign<Butterworth::LowPass<4>>(), MakeDesign<Butterworth::HighPass<4>>(),
        MakeDesign<Butterworth::LowPass<8>>(), MakeDesign<Butterworth::HighPass<8>>(),
    };
    constexpr double kOrders[] = {1.0, 1.0, 2.0, 2.0, 4.0, 4.0, 8.0, 8.0};
    for (size_t i = 0; i < designs.size(); ++i)
    {
        DesignParams::ApplyDefaults(*designs[i]);
        DesignParams::Set(*designs[i], Dsp::kOrderId, kOrders[i]);
        DesignParams::Set(*designs[i], Dsp::kFrequencyId, kInitialSplitHz);
    }
    // Runs every glide out on silence, so the first real block starts on the target designs.
    double* const silence[2] = {lowWork.left, lowWork.right};
    for (const auto& design : designs)
        design->ProcessDouble(lowWork.capacity, silence);
}

void BandSplitFilter::Prepare(double rate, int32_t maxFrames, int32_t)
{
    SizeBuffers(maxFrames);
    if (!IsUsableSampleRate(rate))
        return;
    AudioProcessingUnit::Prepare(rate, maxFrames);
    for (const auto& design : designs)
    {
        DesignParams::Set(*design, Dsp::kSampleRateId, rate);
        TimeTransition(*design, rate);
    }
}

double BandSplitFilter::SplitHz(double v)
{
    const Dsp::ParamInfo frequency = Dsp::FrequencyRecord(Dsp::kCutoffFrequencyName);
    return std::clamp(frequency.fromNormalised(frequency, v), kMinSplit, kMaxSplit);
}

double BandSplitFilter::SplitPosition(double hz)
{
    const Dsp::ParamInfo frequency = Dsp::FrequencyRecord(Dsp::kCutoffFrequencyName);
    return std::clamp(frequency.toNormalised(frequency, std::clamp(hz, kMinSplit, kMaxSplit)), 0.0, 1.0);
}

void BandSplitFilter::SetLowSplit(double v)
{
    if (!std::isfinite(v))
        return;
    lowSplit = v;
    if (mSweep == Sweep::kOut)
        return;
    const double hz = SplitHz(v);
    for (uint32_t slope = 0; slope < kSlopeCount; ++slope)
        DesignParams::Set(*LowPassOfSlope(slope), Dsp::kFrequencyId, hz);
}

void BandSplitFilter::SetHighSplit(double v)
{
    if (!std::isfinite(v))
        return;
    highSplit = v;
    if (mSweep != Sweep::kOut)
    {
        const double hz = SplitHz(v);
        for (uint32_t slope = 0; slope < kSlopeCount; ++slope)
            DesignParams::Set(*HighPassOfSlope(slope), Dsp::kFrequencyId, hz);
    }
    if (link)
        SetLowSplit(v);
}

void BandSplitFilter::MoveSide(bool lowSide, double hz, int32_t frames)
{
    for (uint32_t slope = 0; slope < kSlopeCount; ++slope)
    {
        Dsp::Filter& design = *DesignOfSide(lowSide, slope);
        TimeTransition(design, sampleRate, frames);
        DesignParams::Set(design, Dsp::kFrequencyId, hz);
    }
}

void BandSplitFilter::SweepIn()
{
    if (mSweep == Sweep::kOnSplits || mSweep == Sweep::kIn)
        return;
    for (const bool lowSide : {true, false})
        MoveSide(lowSide, SplitHz(lowSide ? lowSplit : highSplit), TimeConstants::kSplitSweepFrames);
    mSweep = Sweep::kIn;
    mSweepLeft = GlideTimes::FramesAt(TimeConstants::kSplitSweepFrames, sampleRate);
}

void BandSplitFilter::SweepOut()
{
    if (mSweep == Sweep::kOut)
        return;
    if (mSweep == Sweep::kEnded)
    {
        for (const auto& design : designs)
            design->Restart();
        for (const bool lowSide : {true, false})
            MoveSide(lowSide, kMinSplit, 0);
        mSweep = Sweep::kOut;
        return;
    }
    for (const bool lowSide : {true, false})
        MoveSide(lowSide, kMinSplit, TimeConstants::kSplitSweepFrames);
    mSweep = Sweep::kOut;
    mSweepLeft = GlideTimes::FramesAt(TimeConstants::kSplitSweepFrames, sampleRate);
}

void BandSplitFilter::EndSweep()
{
    if (mSweep == Sweep::kEnded)
        return;
    JumpToSplits();
    mSweep = Sweep::kEnded;
}

void BandSplitFilter::StandOnSplits()
{
    JumpToSplits();
    mSweep = Sweep::kOnSplits;
}

void BandSplitFilter::JumpToSplits()
{
    for (const bool lowSide : {true, false})
        MoveSide(lowSide, SplitHz(lowSide ? lowSplit : highSplit), 0);
    for (const auto& design : designs)
        TimeTransition(*design, sampleRate);
    mSweepLeft = 0;
}

double BandSplitFilter::GetLowSplit() const
{
    const Dsp::Filter* design = LowPassOfSlope(lowSlope);
    return design == nullptr ? 0.0 : DesignParams::Get(*design, Dsp::kFrequencyId, 0.0);
}

double BandSplitFilter::GetHighSplit() const
{
    const Dsp::Filter* design = HighPassOfSlope(highSlope);
    return design == nullptr ? 0.0 : DesignParams::Get(*design, Dsp::kFrequencyId, 0.0);
}

double BandSplitFilter::Response(int band, double f) const
{
    const Dsp::Filter* design = band == 0 ? LowPassOfSlope(lowSlope) : HighPassOfSlope(highSlope);
    return design == nullptr ? 1.0 : std::abs(design->Response(f));
}

void BandSplitFilter::SizeBuffers(int32_t frames)
{
    ResizeChannelPair(lowWork, frames);
    ResizeChannelPair(highWork, frames);
    ResizeChannelPair(mOutgoing, frames);
}

void BandSplitFilter::Reset()
{
    for (const auto& design : designs)
        design->Restart();
    mHeardSinceReset = false;
}

void BandSplitFilter::EndGlides()
{
    AudioProcessingUnit::EndGlides();
    for (PlayingSlope* playing : {&mLowPlaying, &mHighPlaying})
    {
        playing->warmUpLeft = 0;
        playing->fadeLeft = 0;
    }
    if (mSweep == Sweep::kIn)
        StandOnSplits();
    if (mSweep != Sweep::kOut || mSweepLeft == 0)
        return;
    for (const bool lowSide : {true, false})
        MoveSide(lowSide, kMinSplit, 0);
    for (const auto& design : designs)
        TimeTransition(*design, sampleRate);
    mSweepLeft = 0;
}

void BandSplitFilter::Process(const double* const lowIn[2], const double* const highIn[2], int32_t n)
{
    if (fade == 0.0 && bypassed)
        return;
    if (n < 1 || n > lowWork.capacity || n > highWork.capacity || n > mOutgoing.capacity)
        return;
    const size_t bytes = sizeof(double) * static_cast<size_t>(n);
    std::memcpy(lowWork.left, lowIn[0], bytes);
    std::memcpy(lowWork.right, lowIn[1], bytes);
    std::memcpy(highWork.left, highIn[0], bytes);
    std::memcpy(highWork.right, highIn[1], bytes);
    if (!mHeardSinceReset)
    {
        mLowPlaying = PlayingSlope{lowSlope, lowSlope, 0, 0, 0};
        mHighPlaying = PlayingSlope{highSlope, highSlope, 0, 0, 0};
        mHeardSinceReset = true;
    }
    RunSide(true, mLowPlaying, lowSlope, lowWork, n);
    RunSide(false, mHighPlaying, highSlope, highWork, n);
    if (mSweepLeft > 0)
    {
        mSweepLeft = std::max(mSweepLeft - n, 0);
        // Later split changes glide at the designs' own pace again.
        if (mSweepLeft == 0)
            for (const auto& design : designs)
                TimeTransition(*design, sampleRate);
        if (mSweepLeft == 0 && mSweep == Sweep::kIn)
            mSweep = Sweep::kOnSplits;
    }
}

void BandSplitFilter::StartSlopeSwitch(bool lowSide, PlayingSlope& playing, uint32_t slope) const
{
    Dsp::Filter* coming = DesignOfSide(lowSide, slope);
    if (coming != nullptr)
        coming->Restart();
    // An unfiltered side has nothing to warm up.
    const int32_t warmUp =
        coming == nullptr ? 0 : GlideTimes::Frames(TimeConstants::kSplitSlopeWarmUpSeconds, sampleRate);
    const int32_t fade = GlideTimes::FramesAt(TimeConstants::kSplitSlopeFadeFrames, sampleRate);
    playing = PlayingSlope{slope, playing.slope, warmUp, fade, fade};
}

void BandSplitFilter::RunSide(bool lowSide, PlayingSlope& playing, uint32_t slope, ChannelPair& work, int32_t n)
{
    const auto run = [n](Dsp::Filter* design, ChannelPair& pair) {
        double* const io[2] = {pair.left, pair.right};
        if (design != nullptr)
            design->ProcessDouble(n, io);
    };
    if (playing.fadeLeft == 0 && playing.slope != slope)
        StartSlopeSwitch(lowSide, playing, slope);
    if (playing.fadeLeft == 0)
    {
        run(DesignOfSide(lowSide, playing.slope), work);
        return;
    }
    const size_t bytes = sizeof(double) * static_cast<size_t>(n);
    std::memcpy(mOutgoing.left, work.left, bytes);
    std::memcpy(mOutgoing.right, work.right, bytes);
    run(DesignOfSide(lowSide, playing.outgoing), mOutgoing);
    run(DesignOfSide(lowSide, playing.slope), work);
    for (int32_t i = 0; i < n; ++i)
    {
        if (playing.warmUpLeft > 0)
            --playing.warmUpLeft;
        else if (playing.fadeLeft > 0)
            --playing.fadeLeft;
        const double w = playing.warmUpLeft > 0 ? 0.0 : 1.0 - static_cast<double>(playing.fadeLeft) / playing.fadeFrames;
        work.left[i] = w * work.left[i] + (1.0 - w) * mOutgoing.left[i];
        work.right[i] = w * work.right[i] + (1.0 - w) * mOutgoing.right[i];
    }
}

Dsp::Filter* BandSplitFilter::DesignOfSide(bool lowSide, uint32_t slope) const
{
    return lowSide ? LowPassOfSlope(slope) : HighPassOfSlope(slope);
}

Dsp::Filter* BandSplitFilter::LowPassOfSlope(uint32_t slope) const
{
    return slope < kSlopeCount ? designs[2 * slope].get() : nullptr;
}

Dsp::Filter* BandSplitFilter::HighPassOfSlope(uint32_t slope) const
{
    return slope < kSlopeCount ? designs[2 * slope + 1].get() : nullptr;
}

} // namespace Wezmark
