#pragma once
// What one run of the host is asked to do, read from its command line.

#include "tools/vsthost/AudioRenderer.h"
#include "tools/vsthost/CommandLine.h"
#include "tools/vsthost/WindowOptions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct HostOptions : RunOptions, WindowOptions
{
    std::string pluginPath;
    std::vector<AudioEntry> entries{AudioEntry::Float};
    std::vector<std::pair<int32_t, float>> parameters;
    std::string loadProgramPath;
    // A new name for the current program, as a user renames it.
    std::string programName;
    std::string saveProgramPath;
    std::string loadBankPath;
    std::string saveBankPath;
    std::optional<int32_t> expectedUniqueId;
    std::optional<int32_t> expectedVersion;
    bool roundTripChunks = false;
    // Fills the options from argv; false with a reason when the command line is wrong.
    static bool Parse(int argc, const char* const* argv, HostOptions& options, std::string& error);
    static const char* Usage();
};
