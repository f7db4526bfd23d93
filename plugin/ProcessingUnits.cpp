#include "plugin/ProcessingUnits.h"

#include <cmath>

RateStages::RateStages(const Wezmark::BuiltinCurves& builtins)
    : chain1(builtins), chain2(builtins), outputSaturator(Wezmark::Saturator::kSoftSaturation)
{
}

void RateStages::Prepare(double rate, int32_t frames, int32_t framesPerHostFrame)
{
    input.Prepare(rate, frames, framesPerHostFrame);
    chain1.Prepare(rate, frames, framesPerHostFrame);
    chain2.Prepare(rate, frames, framesPerHostFrame);
    outputSaturator.Prepare(rate, frames, framesPerHostFrame);
    limiter.Prepare(rate, frames, framesPerHostFrame);
    limiter.Reset();
}

namespace
{
void TakeSaturatorGlides(Wezmark::Saturator& saturator, const Wezmark::Saturator& heard)
{
    saturator.amountState = heard.amountState;
    saturator.driveState = heard.driveState;
}

void TakeChainGlides(DistortionChain& chain, const DistortionChain& heard)
{
    chain.gate.threshold = heard.gate.threshold;
    chain.distortion.smoothedAmount = heard.distortion.smoothedAmount;
    chain.shaper.smoothed = heard.shaper.smoothed;
    chain.shaper.presence = heard.shaper.presence;
    chain.TakeSwitchFrom(heard);
}
} // namespace

void RateStages::TakeGlidesFrom(const RateStages& heard)
{
    input.gainState = heard.input.gainState;
    input.offsetState = heard.input.offsetState;
    TakeSaturatorGlides(input.saturator, heard.input.saturator);
    TakeChainGlides(chain1, heard.chain1);
    TakeChainGlides(chain2, heard.chain2);
    TakeSaturatorGlides(outputSaturator, heard.outputSaturator);
    limiter.smoothedThreshold = heard.limiter.smoothedThreshold;
    limiter.heardMode = heard.limiter.heardMode;
    limiter.leavingMode = heard.limiter.leavingMode;
    limiter.modeFadeLeft = heard.limiter.modeFadeLeft;
    limiter.madeUp = heard.limiter.madeUp;
    limiter.started = heard.limiter.started;
}

void RateStages::Reset()
{
    input.Reset();
    chain1.Reset();
    chain2.Reset();
    outputSaturator.Reset();
    limiter.Reset();
}

void RateStages::EndGlides()
{
    input.EndGlides();
    limiter.EndGlides();
}

ProcessingUnits::ProcessingUnits()
    : builtinCurves(Wezmark::BuiltinCurves::Shared()),
      hostRate(*builtinCurves),
      oversampled(*builtinCurves),
      chain3(*builtinCurves),
      subBand(&chain3.distortion)
{
}

void ProcessingUnits::Prepare(double rate, int32_t frames, int32_t)
{
    for (Oversampler* oversampler : Oversamplers())
        oversampler->Prepare(rate, frames);
    hostRate.Prepare(rate, frames, 1);
    // The oversampled stages run on the pieces of a block that the oversamplers hand them, not
    // on the whole block; the sub-band path runs its chain at the host rate.
    oversampled.Prepare(rate, Oversampler::LongestPiece(frames), kOversampling);
    chain3.Prepare(rate, frames);

    filter.Prepare(rate, frames);
    distoEq.Prepare(rate, frames);
    outputSweep.Prepare(rate, frames);
    levelMeter.Prepare(rate, frames);
    outputFilter.Prepare(rate, frames);
    subBand.Prepare(rate, frames);
    Reset();
}

void ProcessingUnits::Reset()
{
    filter.Reset();
    ResetAllButFilterSection();
}

void ProcessingUnits::ResetAllButFilterSection()
{
    distoEq.Reset();
    outputSweep.Reset();
    outputFilter.Reset();
    subBand.Reset();
}

void ProcessingUnits::EndGlides()
{
    for (RateStages* stages : BothRates())
        stages->EndGlides();
    subBand.EndGlides();
}

void ProcessingUnits::ResetOversamplers()
{
    for (Oversampler* oversampler : Oversamplers())
        oversampler->Reset();
}

int32_t ProcessingUnits::OversampledLatency() const
{
    constexpr int kRoundTrips = 5;
    return static_cast<int32_t>(std::lround(kRoundTrips * inputOversampler.Latency()));
}

std::array<Oversampler*, 11> ProcessingUnits::Oversamplers()
{
    return {&inputOversampler,     &outputOversampler,    &chain1Oversampler,    &chain2Oversampler,
            &limiterOversampler,   &dryOversamplers[0],   &dryOversamplers[1],   &dryOversamplers[2],
            &dryOversamplers[3],   &bypassOversamplers[0], &bypassOversamplers[1]};
}
