#include "dsp/units/filters/HqFilterUnit.h"

#include "dsp/filters/Bessel/Designs.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/SmoothedFilterDesign.h"
#include "dsp/units/filters/DesignParams.h"
#include "dsp/units/filters/TransitionTime.h"
#include "dsp/units/filters/UsableSampleRate.h"

#include <cstring>

namespace Wezmark
{

namespace
{

constexpr double kOrder = 4.0;
constexpr double kUpperEdge = 20000.0;
constexpr double kLowerEdge20 = 20.0;
constexpr double kLowerEdge40 = 40.0;

} // namespace

HqFilterUnit::HqFilterUnit()
{
    // Off until a mode switches it on.
    bypassed = true;
    fade = 0.0;
    Init();
    ResizeChannelPair(work, kInitialFrames);
}

HqFilterUnit::~HqFilterUnit() = default;

void HqFilterUnit::Init()
{
    lowPass = std::make_unique<Dsp::SmoothedFilterDesign<Dsp::Bessel::Design::LowPass<4>, 2, Dsp::DirectFormII>>();
    highPass = std::make_unique<Dsp::SmoothedFilterDesign<Dsp::Bessel::Design::HighPass<4>, 2, Dsp::DirectFormII>>();
    DesignParams::ApplyDefaults(*lowPass);
    DesignParams::ApplyDefaults(*highPass);
    DesignParams::Set(*lowPass, Dsp::kOrderId, kOrder);
    DesignParams::Set(*highPass, Dsp::kOrderId, kOrder);
    // The band from the start: switched on for the first time, the filters glided in from
    // the record's 2 kHz and swept the whole spectrum.
    DesignParams::Set(*lowPass, Dsp::kFrequencyId, kUpperEdge);
    DesignParams::Set(*highPass, Dsp::kFrequencyId, kLowerEdge20);
    SetMode(mode);
}

void HqFilterUnit::SetMode(uint32_t newMode)
{
    mode = newMode;
    // Off and on fade over the unit's bypass fade; filters that stood still start afresh,
    // not from a signal long gone.
    if (mode == kOff)
        SetBypass(true);
    if (mode != kFrom20Hz && mode != kFrom40Hz)
        return;
    // Filters that stood still take the new edges at once instead of gliding to them.
    const bool stoodStill = bypassed && fade == 0.0;
    if (stoodStill)
    {
        lowPass->SetTransitionLength(0);
        highPass->SetTransitionLength(0);
    }
    DesignParams::Set(*lowPass, Dsp::kFrequencyId, kUpperEdge);
    DesignParams::Set(*highPass, Dsp::kFrequencyId, mode == kFrom20Hz ? kLowerEdge20 : kLowerEdge40);
    if (stoodStill)
    {
        Reset();
        TimeTransition(*lowPass, sampleRate);
        TimeTransition(*highPass, sampleRate);
    }
    SetBypass(false);
}

void HqFilterUnit::Prepare(double rate, int32_t maxFrames, int32_t)
{
    ResizeChannelPair(work, maxFrames);
    if (!IsUsableSampleRate(rate))
        return;
    AudioProcessingUnit::Prepare(rate, maxFrames);
    DesignParams::Set(*lowPass, Dsp::kSampleRateId, rate);
    DesignParams::Set(*highPass, Dsp::kSampleRateId, rate);
    TimeTransition(*lowPass, rate);
    TimeTransition(*highPass, rate);
}

void HqFilterUnit::Reset()
{
    lowPass->Restart();
    highPass->Restart();
}

void HqFilterUnit::Process(double* const io[2], int32_t n)
{
    if (fade == 0.0 && bypassed)
        return;
    if (n < 1 || n > work.capacity)
        return;
    const size_t bytes = sizeof(double) * static_cast<size_t>(n);
    std::memcpy(work.left, io[0], bytes);
    std::memcpy(work.right, io[1], bytes);
    double* const filtered[2] = {work.left, work.right};
    highPass->ProcessDouble(n, filtered);
    lowPass->ProcessDouble(n, filtered);
    if (fade != 1.0)
        MixBypassFade(io, filtered, n);
    std::memcpy(io[0], work.left, bytes);
    std::memcpy(io[1], work.right, bytes);
}

} // namespace Wezmark
