#pragma once

#include "dsp/units/curves/BuiltinCurves.h"
#include "dsp/units/path/DistortionChain.h"
#include "dsp/units/path/EnvFollower.h"
#include "dsp/units/path/InputProcessor.h"
#include "dsp/units/path/Oversampler.h"
#include "dsp/units/path/Saturator.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Every unit of the distortion path, prepared and switched into a configuration in which it
// does real work, with one named block operation per unit.
struct UnitRig
{
    static constexpr int32_t kBlockFrames = 256;

    struct Operation
    {
        std::string name;
        std::function<void(double* const io[2], int32_t frames)> run;
    };

    explicit UnitRig(const Wezmark::BuiltinCurves& builtins);

    std::vector<Operation> Operations();

    DistortionChain chain;
    Wezmark::Saturator saturator;
    Wezmark::InputProcessor input;
    Wezmark::EnvFollower follower;
    Oversampler oversampler;
    // The unprocessed side of the bypass crossfade.
    std::vector<double> dry;
};
