// zv_instancememory: the resident memory that instances of a VST 2 plug-in cost in one process.
// Loads the plug-in file, then creates the instances one after the other; each is opened,
// switched on and renders a while (so that every buffer it uses has been touched) before the
// process's resident memory is read. Prints the cost of the module with the first instance and
// of each further one. Exit code 0 when every instance ran, 1 when not, 2 for a wrong command line.

#include "framework/vst2/Vst2Constants.h"
#include "tools/instancememory/ResidentMemory.h"
#include "tools/vsthost/AudioRenderer.h"
#include "tools/vsthost/CommandLine.h"
#include "tools/vsthost/HostContext.h"
#include "tools/vsthost/PluginInstance.h"
#include "tools/vsthost/PluginLibrary.h"
#include "tools/vsthost/TestSignal.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace
{
constexpr int32_t kMostInstances = 1000;
constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr int32_t kStereo = 2;

const char kUsage[] = "usage: zv_instancememory PLUGIN [--instances N] [--rate HZ] [--block FRAMES] "
                      "[--seconds S] [--program P]\n";

double Megabytes(int64_t bytes)
{
    return static_cast<double>(bytes) / kMegabyte;
}
}

int main(int argc, char** argv)
{
    RunOptions run;
    run.sampleRate = 48000.0;
    run.signal = TestSignal::Kind::Noise;
    int32_t instanceCount = 10;
    CommandLine::Readers readers;
    CommandLine::Switches switches;
    CommandLine::AddRunOptions(run, readers, switches);
    readers["--instances"] = [&](const std::string& v) {
        return CommandLine::ReadInt32(v, 2, kMostInstances, instanceCount);
    };
    std::string pluginPath;
    std::string error;
    if (!CommandLine::Parse(argc, argv, readers, switches, pluginPath, "no plug-in file given", error))
    {
        std::fprintf(stderr, "zv_instancememory: %s\n%s", error.c_str(), kUsage);
        return 2;
    }

    const int64_t start = ResidentBytes();
    PluginLibrary library(pluginPath);
    const VstPluginMainProc entry = library.FindEntry();
    if (!entry)
    {
        std::fprintf(stderr, "zv_instancememory: %s\n", library.IsLoaded() ? "no entry point" : library.Error().c_str());
        return 1;
    }
    const int64_t loaded = ResidentBytes();
    HostContext host(run.sampleRate, run.blockSize);
    const AudioBuffer input = TestSignal::Generate(run.signal, kStereo,
                                                   static_cast<int32_t>(run.seconds * run.sampleRate), run.sampleRate);

    std::vector<std::unique_ptr<PluginInstance>> instances;
    std::vector<int64_t> after;
    for (int32_t i = 0; i < instanceCount; ++i)
    {
        auto instance = std::make_unique<PluginInstance>(entry, &HostContext::Callback);
        if (!instance->Effect())
        {
            std::fprintf(stderr, "zv_instancememory: instance %d: %s\n", i + 1, instance->Error().c_str());
            return 1;
        }
        instance->Open(run.sampleRate, run.blockSize);
        if (run.program)
            instance->Dispatch(effSetProgram, 0, *run.program);
        instance->Resume(kVstProcessPrecision32);
        AudioRenderer(*instance, host).Render(input, AudioEntry::Float, run.blockSize);
        after.push_back(ResidentBytes());
        instances.push_back(std::move(instance));
    }

    std::printf("resident before loading: %.1f MB\n", Megabytes(start));
    std::printf("module loaded:           %+.1f MB\n", Megabytes(loaded - start));
    for (size_t i = 0; i < after.size(); ++i)
        std::printf("instance %2zu:             %+.1f MB\n", i + 1, Megabytes(after[i] - (i ? after[i - 1] : loaded)));
    std::printf("first instance with the module: %.1f MB\n", Megabytes(after.front() - start));
    std::printf("each further instance:          %.1f MB (mean of %zu)\n",
                Megabytes(after.back() - after.front()) / static_cast<double>(after.size() - 1), after.size() - 1);
    instances.clear();
    return 0;
}
