#include "dsp/units/filters/Eq4Band.h"

#include "dsp/filters/Butterworth/BandShelf.h"
#include "dsp/filters/Butterworth/HighShelf.h"
#include "dsp/filters/Butterworth/LowShelf.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/SmoothedFilterDesign.h"
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

constexpr double kOrder = 2.0;

template <class DesignClass>
std::unique_ptr<Dsp::Filter> MakeShelf()
{
    return std::make_unique<Dsp::SmoothedFilterDesign<DesignClass, 2, Dsp::DirectFormI>>();
}

} // namespace

Eq4Band::Eq4Band()
{
    Init();
    ResizeChannelPair(work, kInitialFrames);
}

Eq4Band::~Eq4Band() = default;

void Eq4Band::Init()
{
    designs[kBass] = MakeShelf<Dsp::Butterworth::Design::LowShelf<2>>();
    designs[kLowMid] = MakeShelf<Dsp::Butterworth::Design::BandShelf<2>>();
    designs[kHighMid] = MakeShelf<Dsp::Butterworth::Design::BandShelf<2>>();
    designs[kHigh] = MakeShelf<Dsp::Butterworth::Design::HighShelf<2>>();
    const struct
    {
        Band band;
        double frequency;
        double width;
    } shapes[] = {
        {kBass, bassFrequency, 0.0},
        {kLowMid, lowMidFrequency, lowMidWidth},
        {kHighMid, highMidFrequency, highMidWidth},
        {kHigh, highFrequency, 0.0},
    };
    // Until a sample rate is set, the glide as tuned at 44.1 kHz.
    mGlideFrames = TimeConstants::kEqGainTransitionFrames;
    // One parameter set per band, applied once: the designs start on it without a glide.
    for (const auto& shape : shapes)
    {
        Dsp::Filter& design = *designs[shape.band];
        Dsp::FilterParams values = DesignParams::Defaults(design);
        DesignParams::Write(design, values, Dsp::kFrequencyId, shape.frequency);
        DesignParams::Write(design, values, Dsp::kBandwidthHzId, shape.width);
        DesignParams::Write(design, values, Dsp::kOrderId, kOrder);
        design.SetParams(values);
        design.Reset();
        design.SetTransitionLength(mGlideFrames);
        mGainIndex[shape.band] = DesignParams::FindIndex(design, Dsp::kGainId);
    }
    mSkipped.fill(false);
    mFramesSinceSet.fill(0);
}

void Eq4Band::Prepare(double rate, int32_t maxFrames, int32_t)
{
    ResizeChannelPair(work, maxFrames);
    if (!IsUsableSampleRate(rate))
        return;
    AudioProcessingUnit::Prepare(rate, maxFrames);
    for (const auto& design : designs)
    {
        DesignParams::Set(*design, Dsp::kSampleRateId, rate);
        TimeTransition(*design, rate, TimeConstants::kEqGainTransitionFrames);
    }
    mGlideFrames = GlideTimes::FramesAt(TimeConstants::kEqGainTransitionFrames, rate);
}

void Eq4Band::SetBassGain(double v)
{
    SetGain(kBass, v);
}

void Eq4Band::SetLowMidGain(double v)
{
    SetGain(kLowMid, v);
}

void Eq4Band::SetHighMidGain(double v)
{
    SetGain(kHighMid, v);
}

void Eq4Band::SetHighGain(double v)
{
    SetGain(kHigh, v);
}

double Eq4Band::GetBassGain() const
{
    return GetGain(kBass);
}

double Eq4Band::GetLowMidGain() const
{
    return GetGain(kLowMid);
}

double Eq4Band::GetHighMidGain() const
{
    return GetGain(kHighMid);
}

double Eq4Band::GetHighGain() const
{
    return GetGain(kHigh);
}

void Eq4Band::SetGain(Band band, double v)
{
    if (!std::isfinite(v))
        return;
    // A band that sat out holds the memory it went out with; cleared, it is one that ran flat.
    if (mSkipped[band])
        BringBackIn(band);
    gains[band] = std::clamp(v, 0.0, 1.0);
    mFramesSinceSet[band] = 0;
    DesignParams::Set(*designs[band], Dsp::kGainId, GainInDecibels(gains[band]));
}

int32_t Eq4Band::FramesToRun(Band band, int32_t n) const
{
    // The design's own gain: before the first SetGain it is the design's default, not flat.
    const int gain = mGainIndex[band];
    if (gain < 0 || designs[band]->params[gain] != 0.0)
        return n;
    return std::clamp(mGlideFrames - mFramesSinceSet[band], 0, n);
}

void Eq4Band::BringBackIn(Band band)
{
    designs[band]->Reset();
    mSkipped[band] = false;
}

double Eq4Band::GainInDecibels(double v)
{
    const Dsp::ParamInfo gain = Dsp::GainRecord();
    return gain.fromNormalised(gain, std::clamp(v, 0.0, 1.0));
}

double Eq4Band::SettingOfDecibels(double db)
{
    const Dsp::ParamInfo gain = Dsp::GainRecord();
    return std::clamp(gain.toNormalised(gain, std::clamp(db, gain.minValue, gain.maxValue)), 0.0, 1.0);
}

double Eq4Band::GetGain(Band band) const
{
    return GainInDecibels(gains[band]);
}

void Eq4Band::Reset()
{
    for (const auto& design : designs)
        design->Restart();
    // A start afresh ends every glide.
    mFramesSinceSet.fill(mGlideFrames);
}

void Eq4Band::Process(double* const io[2], int32_t n)
{
    if (fade == 0.0 && bypassed)
        return;
    if (n < 1 || n > work.capacity)
        return;
    // A band sits out from the frame on which it and every band before it pass the signal
    // unchanged, so where that happens does not depend on how the blocks are cut.
    std::array<int32_t, kBandCount> frames{};
    int32_t run = 0;
    for (int band = 0; band < kBandCount; ++band)
    {
        run = std::max(run, FramesToRun(static_cast<Band>(band), n));
        frames[band] = run;
        if (run > 0 && mSkipped[band])
            BringBackIn(static_cast<Band>(band));
        mSkipped[band] = run < n;
        mFramesSinceSet[band] = std::min(mFramesSinceSet[band] + n, mGlideFrames);
    }
    if (run == 0 && fade == 1.0)
        return;
    // Fully on, the bands run on the block in place.
    if (fade == 1.0)
    {
        RunBands(frames, io);
        return;
    }
    const size_t bytes = sizeof(double) * static_cast<size_t>(n);
    std::memcpy(work.left, io[0], bytes);
    std::memcpy(work.right, io[1], bytes);
    double* const processed[2] = {work.left, work.right};
    RunBands(frames, processed);
    MixBypassFade(io, processed, n);
    std::memcpy(io[0], work.left, bytes);
    std::memcpy(io[1], work.right, bytes);
}

void Eq4Band::RunBands(const std::array<int32_t, kBandCount>& frames, double* const io[2])
{
    for (int band = 0; band < kBandCount; ++band)
        if (frames[band] > 0)
            designs[band]->ProcessDouble(frames[band], io);
}

} // namespace Wezmark
