#pragma once

#include "dsp/units/curves/DistortionDataProvider.h"
#include "dsp/units/filters/DumpExpand.h"
#include "dsp/units/filters/Eq4Band.h"
#include "dsp/units/filters/FilterUnit.h"
#include "dsp/units/filters/HqFilterUnit.h"
#include "dsp/units/filters/OutputLimiter.h"
#include "dsp/units/filters/SubBandProcessor.h"
#include "dsp/units/path/DistortionChain.h"
#include "dsp/units/path/EnvFollower.h"
#include "dsp/units/path/InputProcessor.h"
#include "dsp/units/path/Oversampler.h"
#include "dsp/units/path/Saturator.h"

#include <array>
#include <cstdint>

// Every processing stage of one plug-in instance, owned by value.
struct ProcessingUnits
{
    // Oversampled stages run on this many frames per host frame.
    static constexpr int32_t kOversampling = static_cast<int32_t>(Oversampler::kFactor);

    ProcessingUnits();
    ProcessingUnits(const ProcessingUnits&) = delete;
    ProcessingUnits& operator=(const ProcessingUnits&) = delete;

    // Rate and block size for every unit, every buffer sized for blocks of up to `frames`
    // (eight times that inside the oversampled stages) and every filter memory cleared.
    void Prepare(double rate, int32_t frames);

    // Clears the memory of every filter unit; a glide of a design under way ends on its target.
    void ClearFilterMemories();
    // Clears every oversampler, for a path that starts to run oversampled.
    void ResetOversamplers();
    // Tells the stages that can run oversampled whether they do, so that their glides, fades
    // and holds last as long in host time either way.
    void SetOversampled(bool oversampled);
    // Frames by which the oversampled path delays the output: five round trips (the input
    // stage, both chains, the output saturator and the limiter), made also where one of them is
    // off, so that the delay stays the same whatever the settings and switching a stage on or
    // off continues the signal in time.
    int32_t OversampledLatency() const;

    // The three chains in order: before the filter, after it, and the one that lends its
    // distortion to the sub-band path.
    std::array<DistortionChain*, 3> Chains() { return {&chain1, &chain2, &chain3}; }
    std::array<Wezmark::Saturator*, 4> Saturators()
    {
        return {&input.saturator, &filter.saturator, &outputSaturator, &subBand.saturator};
    }

    Wezmark::EnvFollower levelMeter;
    Wezmark::InputProcessor input;
    // Before the chains, which take their curves from it.
    Wezmark::DistortionDataProvider curveLibrary;
    DistortionChain chain1;
    DistortionChain chain2;
    DistortionChain chain3;
    Wezmark::Eq4Band distoEq;
    Wezmark::FilterUnit filter;
    Wezmark::DumpExpand outputSweep;
    Wezmark::Saturator outputSaturator;
    Wezmark::HqFilterUnit outputFilter;
    Wezmark::SubBandProcessor subBand;
    OutputLimiter limiter;
    Oversampler inputOversampler;
    Oversampler outputOversampler;
    Oversampler chain1Oversampler;
    Oversampler chain2Oversampler;
    Oversampler limiterOversampler;
    // The same round trips for signals that are mixed with oversampled ones: the input through
    // the input stage's and both chains' (the first three), for the sub-band path and the dry/wet
    // mix, and through the output saturator's for the mix; the signal that bypasses the effect
    // path through both chains'.
    std::array<Oversampler, 4> dryOversamplers;
    std::array<Oversampler, 2> bypassOversamplers;

private:
    std::array<Oversampler*, 11> Oversamplers();
};
