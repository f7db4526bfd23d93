#pragma once

#include "dsp/units/curves/BuiltinCurves.h"
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
#include <memory>

// The stages whose sound depends on the rate they run at: the plug-in holds them twice, once at
// the host rate and once oversampled, so that a switch of oversampling can crossfade from one to
// the other. Both hold the same settings at all times.
struct RateStages
{
    explicit RateStages(const Wezmark::BuiltinCurves& builtins);
    RateStages(const RateStages&) = delete;
    RateStages& operator=(const RateStages&) = delete;

    // Rate and block size (blocks of up to `frames` frames at the rate they run at); glides,
    // fades and holds last as long in host time when `framesPerHostFrame` is the oversampling
    // factor. Nothing has been heard since, so the limiter takes its mode and make-up at once.
    void Prepare(double rate, int32_t frames, int32_t framesPerHostFrame);
    // The reducers let go of their held frames; the limiter takes its mode and make-up at once.
    void Reset();
    // For stages that start to run while `heard` runs: their glides go on from where the heard
    // ones stand rather than from what they heard when they last ran (or from silence).
    void TakeGlidesFrom(const RateStages& heard);
    // Where the output is not heard: the slowest glides end on their targets.
    void EndGlides();

    Wezmark::InputProcessor input;
    // Before the filter and after it.
    DistortionChain chain1;
    DistortionChain chain2;
    Wezmark::Saturator outputSaturator;
    OutputLimiter limiter;
};

// Every processing stage of one plug-in instance, owned by value.
struct ProcessingUnits
{
    // Oversampled stages run on this many frames per host frame.
    static constexpr int32_t kOversampling = static_cast<int32_t>(Oversampler::kFactor);

    ProcessingUnits();
    ProcessingUnits(const ProcessingUnits&) = delete;
    ProcessingUnits& operator=(const ProcessingUnits&) = delete;

    // Rate and block size for every unit, every buffer sized for blocks of up to `frames`
    // (for the oversampled stages, the pieces of such a block) and every filter memory cleared.
    void Prepare(double rate, int32_t frames, int32_t framesPerHostFrame = 1);

    // Clears the memory of every filter unit; a glide of a design under way ends on its target.
    // The stages of both rates keep theirs, and the oversamplers are cleared when a path starts
    // to run oversampled (ResetOversamplers).
    void Reset();
    // Reset but for the filter section, which a program change's quiet point clears apart.
    void ResetAllButFilterSection();
    // Where the output is not heard, as at a program change's quiet point: the slow glides and
    // switches end on their targets.
    void EndGlides();
    // Clears every oversampler, for a path that starts to run oversampled.
    void ResetOversamplers();
    // Frames by which the oversampled path delays the output: five round trips (the input
    // stage, both chains, the output saturator and the limiter), made also where one of them is
    // off, so that the delay stays the same whatever the settings and switching a stage on or
    // off continues the signal in time.
    int32_t OversampledLatency() const;

    RateStages& Stages(bool oversampled) { return oversampled ? this->oversampled : hostRate; }
    std::array<RateStages*, 2> BothRates() { return {&hostRate, &oversampled}; }
    // Every chain, the host-rate path's first: before the filter, after it, the one that lends
    // its distortion to the sub-band path, then the oversampled path's two.
    std::array<DistortionChain*, 5> Chains()
    {
        return {&hostRate.chain1, &hostRate.chain2, &chain3, &oversampled.chain1, &oversampled.chain2};
    }
    std::array<const DistortionChain*, 5> Chains() const
    {
        return {&hostRate.chain1, &hostRate.chain2, &chain3, &oversampled.chain1, &oversampled.chain2};
    }
    std::array<Wezmark::Saturator*, 6> Saturators()
    {
        return {&hostRate.input.saturator, &oversampled.input.saturator, &filter.saturator,
                &hostRate.outputSaturator, &oversampled.outputSaturator, &subBand.saturator};
    }

    // Before the chains, which read their curves from it; held by every instance of the process.
    std::shared_ptr<const Wezmark::BuiltinCurves> builtinCurves;
    Wezmark::EnvFollower levelMeter;
    RateStages hostRate;
    RateStages oversampled;
    DistortionChain chain3;
    Wezmark::Eq4Band distoEq;
    Wezmark::FilterUnit filter;
    Wezmark::DumpExpand outputSweep;
    Wezmark::HqFilterUnit outputFilter;
    Wezmark::SubBandProcessor subBand;
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
