#pragma once
// The program both hosts run: read the command line and the audio, then run the session once
// a cycle. Exit code 0 when everything held, 1 when not, 2 for a wrong command line.

#include "tools/vsthost/AudioBuffer.h"
#include "tools/vsthost/CommandLine.h"

#include <cstdio>
#include <functional>
#include <string>

namespace HostProgram
{
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The input file, whose rate then becomes the options' rate, or else the built-in signal.
bool ReadInput(RunOptions& options, AudioBuffer& input, std::string& error);

// Runs options.cycles times, telling the cycles apart when there are several.
int RunCycles(const RunOptions& options, const std::function<bool(bool printReport)>& run);

template <typename Options, typename Session>
int Main(const char* tool, int argc, const char* const* argv)
{
    Options options;
    std::string error;
    if (!Options::Parse(argc, argv, options, error))
    {
        std::fprintf(stderr, "%s: %s\n%s", tool, error.c_str(), Options::Usage());
        return kExitUsage;
    }
    AudioBuffer input;
    if (!ReadInput(options, input, error))
    {
        std::fprintf(stderr, "%s: %s\n", tool, error.c_str());
        return kExitFailed;
    }
    Session session(options, input, stdout);
    return RunCycles(options, [&](bool printReport) { return session.Run(printReport); });
}
}
