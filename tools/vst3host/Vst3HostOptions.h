#pragma once
// What one run of the VST3 host is asked to do, read from its command line.

#include "tools/vsthost/CommandLine.h"
#include "tools/vsthost/WindowOptions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct Vst3HostOptions : RunOptions, WindowOptions
{
    std::string modulePath;
    // Symbolic sample sizes to render with: 0 for 32-bit, 1 for 64-bit.
    std::vector<int32_t> sampleSizes{0};
    // Parameter id and normalised value, queued at the start of the first block.
    std::vector<std::pair<uint32_t, double>> parameters;
    std::string loadStatePath;
    std::string saveStatePath;
    std::string expectedClass;
    bool roundTripState = false;
    bool strict = false;

    // Fills the options from argv; false with a reason when the command line is wrong.
    static bool Parse(int argc, const char* const* argv, Vst3HostOptions& options, std::string& error);
    static const char* Usage();
    // A parameter id as a number or as four characters ("bpas", first one highest).
    static std::optional<uint32_t> ParseParamId(const std::string& text);
};
