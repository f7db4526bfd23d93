// vst3host: loads a VST3 module, reports what its factory and effect say about themselves,
// renders audio through the effect with parameter changes, saves and restores its state and
// checks what the options ask for. Exit code 0 when everything held, 1 when not, 2 for a
// wrong command line.

#include "tools/vst3host/Vst3HostOptions.h"
#include "tools/vst3host/Vst3Session.h"
#include "tools/vsthost/TestSignal.h"
#include "tools/vsthost/WavFile.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace
{
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int32_t kSignalChannels = 2;
}

int main(int argc, char** argv)
{
    Vst3HostOptions options;
    std::string error;
    if (!Vst3HostOptions::Parse(argc, argv, options, error))
    {
        std::fprintf(stderr, "vst3host: %s\n%s", error.c_str(), Vst3HostOptions::Usage());
        return kExitUsage;
    }

    AudioBuffer input;
    if (options.inputPath.empty())
    {
        const auto frames = static_cast<int32_t>(std::lround(options.seconds * options.sampleRate));
        input = TestSignal::Generate(options.signal, kSignalChannels, frames, options.sampleRate);
    }
    else
    {
        double fileRate = 0.0;
        if (!WavFile::Read(options.inputPath, input, fileRate, error))
        {
            std::fprintf(stderr, "vst3host: %s\n", error.c_str());
            return kExitFailed;
        }
        options.sampleRate = fileRate;
    }

    Vst3Session session(options, input, stdout);
    for (int32_t cycle = 1; cycle <= options.cycles; ++cycle)
    {
        if (options.cycles > 1)
            std::printf("cycle %d of %d\n", cycle, options.cycles);
        if (!session.Run(cycle == 1))
            return kExitFailed;
    }
    std::printf("done\n");
    return 0;
}
