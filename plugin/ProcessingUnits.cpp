#include "plugin/ProcessingUnits.h"

#include "dsp/units/GlideTimes.h"

#include <cmath>

RateStages::RateStages(const Wezmark::BuiltinCurves& builtins)
    : chain1(builtins), chain2(builtins), outputSaturator(Wezmark::Saturator::kSoftSaturation)
{
}

void RateStages::Prepare(double rate, int32_t frames, int32_t framesPerHostFrame)
{
    input.SetBlockSize(frames);
    for (DistortionChain* chain : {&chain1, &chain2})
        chain->SetBlockSize(frames);
    input.saturator.SetSampleRate(rate);
    outputSaturator.SetBlockSize(frames);
    outputSaturator.SetSampleRate(rate);
    limiter.SetSampleRate(rate);
    limiter.Restart();
    input.SetFramesPerHostFrame(framesPerHostFrame);
    for (DistortionChain* chain : {&chain1, &chain2})
        chain->SetFramesPerHostFrame(framesPerHostFrame);
    outputSaturator.framesPerHostFrame = framesPerHostFrame;
    limiter.framesPerHostFrame = framesPerHostFrame;
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

void ProcessingUnits::Prepare(double rate, int32_t frames)
{
    for (Oversampler* oversampler : Oversamplers())
        oversampler->Prepare(rate, static_cast<uint32_t>(frames));

    for (DistortionChain* chain : Chains())
    {
        chain->distortion.SetSampleRate(rate);
        chain->shaper.SetSampleRate(rate);
        chain->reducer.SetSampleRate(rate);
        chain->gate.keep = GlideTimes::Keep(DeadZoneGate::kKeep, rate);
        chain->gate.take = 1.0 - chain->gate.keep;
    }
    // The sub-band path runs its chain at the host rate; the oversampled stages run on the
    // pieces of a block that the oversamplers hand them, not on the whole block.
    chain3.SetBlockSize(frames);
    hostRate.Prepare(rate, frames, 1);
    oversampled.Prepare(rate, Oversampler::LongestPiece(frames), kOversampling);

    filter.SetSampleRate(rate);
    filter.SetBlockSize(frames);
    distoEq.SetSampleRate(rate);
    distoEq.SetBlockSize(frames);
    outputSweep.SetSampleRate(rate);
    outputSweep.SetBlockSize(frames);
    levelMeter.SetSampleRate(rate);
    outputFilter.SetSampleRate(rate);
    outputFilter.SetBlockSize(frames);
    subBand.SetSampleRate(rate);
    subBand.SetBlockSize(frames);
    ClearFilterMemories();
}

void ProcessingUnits::ClearFilterMemories()
{
    filter.Reset();
    distoEq.ResetDesigns();
    outputSweep.ResetDesigns();
    outputFilter.ResetDesigns();
    subBand.equaliser.ResetDesigns();
    subBand.splitter.Reset();
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
