#include "tools/vsthost/HostProgram.h"

#include "tools/vsthost/TestSignal.h"
#include "tools/vsthost/WavFile.h"

#include <cmath>

namespace
{
constexpr int32_t kSignalChannels = 2;
}

bool HostProgram::ReadInput(RunOptions& options, AudioBuffer& input, std::string& error)
{
    if (!options.inputPath.empty())
        return WavFile::Read(options.inputPath, input, options.sampleRate, error);
    const auto frames = static_cast<int32_t>(std::lround(options.seconds * options.sampleRate));
    input = TestSignal::Generate(options.signal, kSignalChannels, frames, options.sampleRate);
    return true;
}

int HostProgram::RunCycles(const RunOptions& options, const std::function<bool(bool printReport)>& run)
{
    for (int32_t cycle = 1; cycle <= options.cycles; ++cycle)
    {
        if (options.cycles > 1)
            std::printf("cycle %d of %d\n", cycle, options.cycles);
        if (!run(cycle == 1))
            return kExitFailed;
    }
    std::printf("done\n");
    return 0;
}
