#pragma once
// What one run of the host is asked to do, read from its command line.

#include "tools/vsthost/AudioRenderer.h"
#include "tools/vsthost/TestSignal.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct HostOptions
{
    std::string pluginPath;
    double sampleRate = 44100.0;
    int32_t blockSize = 512;
    std::vector<AudioEntry> entries{AudioEntry::Float};
    std::string inputPath;
    TestSignal::Kind signal = TestSignal::Kind::Sine;
    double seconds = 1.0;
    std::string outputPath;
    std::vector<std::pair<int32_t, float>> parameters;
    std::optional<int32_t> program;
    std::string loadProgramPath;
    std::string saveProgramPath;
    std::string loadBankPath;
    std::string saveBankPath;
    bool brief = false;
    std::optional<int32_t> expectedUniqueId;
    std::optional<int32_t> expectedVersion;
    bool expectPassThrough = false;
    bool roundTripChunks = false;
    int32_t cycles = 1;

    // Fills the options from argv; false with a reason when the command line is wrong.
    static bool Parse(int argc, const char* const* argv, HostOptions& options, std::string& error);
    static const char* Usage();
};
