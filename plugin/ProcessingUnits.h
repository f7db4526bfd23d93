#pragma once

#include "dsp/units/DistortionChain.h"
#include "dsp/units/DistortionDataProvider.h"
#include "dsp/units/DumpExpand.h"
#include "dsp/units/EnvFollower.h"
#include "dsp/units/Eq4Band.h"
#include "dsp/units/FilterUnit.h"
#include "dsp/units/HqFilterUnit.h"
#include "dsp/units/InputProcessor.h"
#include "dsp/units/OutputLimiter.h"
#include "dsp/units/Oversampler.h"
#include "dsp/units/Saturator.h"
#include "dsp/units/SubBandProcessor.h"

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
};
