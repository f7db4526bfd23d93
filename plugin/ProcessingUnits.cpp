#include "plugin/ProcessingUnits.h"

#include "dsp/units/GlideTimes.h"

#include <cmath>

ProcessingUnits::ProcessingUnits()
    : chain1(curveLibrary),
      chain2(curveLibrary),
      chain3(curveLibrary),
      outputSaturator(Wezmark::Saturator::kSoftSaturation),
      subBand(&chain3.distortion)
{
}

void ProcessingUnits::Prepare(double rate, int32_t frames)
{
    const int32_t oversampled = frames * kOversampling;
    for (Oversampler* oversampler : Oversamplers())
        oversampler->Prepare(rate, static_cast<uint32_t>(frames));

    input.SetBlockSize(oversampled);
    input.saturator.SetSampleRate(rate);
    for (DistortionChain* chain : Chains())
    {
        chain->distortion.SetSampleRate(rate);
        chain->shaper.SetSampleRate(rate);
        chain->reducer.SetSampleRate(rate);
        chain->gate.keep = GlideTimes::Keep(DeadZoneGate::kKeep, rate);
        chain->gate.take = 1.0 - chain->gate.keep;
        chain->SetBlockSize(oversampled);
    }

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

    outputSaturator.SetBlockSize(oversampled);
    outputSaturator.SetSampleRate(rate);
    limiter.SetSampleRate(rate);
    limiter.Restart();
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

void ProcessingUnits::ResetOversamplers()
{
    for (Oversampler* oversampler : Oversamplers())
        oversampler->Reset();
}

void ProcessingUnits::SetOversampled(bool oversampled)
{
    const int32_t frames = oversampled ? kOversampling : 1;
    input.SetFramesPerHostFrame(frames);
    chain1.SetFramesPerHostFrame(frames);
    chain2.SetFramesPerHostFrame(frames);
    outputSaturator.framesPerHostFrame = frames;
    limiter.framesPerHostFrame = frames;
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
