#include "tools/vst3host/Vst3HostOptions.h"

#include <cstdint>

using namespace CommandLine;

namespace
{
bool ReadSampleSizes(const std::string& text, std::vector<int32_t>& sizes)
{
    sizes.clear();
    return ReadList(text, [&](const std::string& item) {
        if (item == "32")
            sizes.push_back(0);
        else if (item == "64")
            sizes.push_back(1);
        else
            return false;
        return true;
    });
}

bool ReadParameter(const std::string& text, std::pair<uint32_t, double>& parameter)
{
    const size_t equals = text.find('=');
    if (equals == std::string::npos)
        return false;
    const auto id = Vst3HostOptions::ParseParamId(text.substr(0, equals));
    if (!id || !ReadNumber(text.substr(equals + 1), 0.0, 1.0, parameter.second))
        return false;
    parameter.first = *id;
    return true;
}
}

std::optional<uint32_t> Vst3HostOptions::ParseParamId(const std::string& text)
{
    long long number = 0;
    if (ReadInteger(text, 0, UINT32_MAX, number))
        return static_cast<uint32_t>(number);
    uint32_t packed = 0;
    if (!ReadFourCharacters(text, packed))
        return std::nullopt;
    return packed;
}

const char* Vst3HostOptions::Usage()
{
    static const std::string text = "usage: vst3host MODULE [options]   (MODULE: the module file or its .vst3 bundle folder)\n"
           "  --rate HZ               sample rate (44100)\n"
           "  --block N               largest block in frames, announced in the setup (512)\n"
           "  --precision LIST        sample sizes to render, comma-separated: 32, 64 (32)\n"
           "  --input FILE.wav        render this file instead of a built-in signal\n"
           "  --signal KIND           built-in signal: sine, noise, impulse, silence (sine)\n"
           "  --seconds S             length of the built-in signal (1)\n"
           "  --output FILE.wav       write what the first precision rendered (32-bit float)\n"
           "  --param ID=V            queue the normalised value V for parameter ID (a number or\n"
           "                          four characters such as bpas) in the first block (repeatable)\n"
           "  --program N             select program N through the program-change parameter\n"
           "  --load-state FILE       restore a state saved before\n"
           "  --save-state FILE       save the state\n"
           "  --brief                 leave out the parameter, unit and program lists\n"
           "  --expect-class NAME     fail unless the factory's effect class has this name\n"
           "  --expect-passthrough    fail unless every precision returns its input bit for bit\n"
           "  --roundtrip-state       fail unless the state reads back unchanged, from the\n"
           "                          component and the controller alike\n"
           "  --cycles N              load, run and unload the module N times (1)\n"
           "  --strict                act as a careful host: fail when the plug-in restarts the\n"
           "                          component from inside a host call, turn the UI loop between\n"
           "                          calls, and after each step fail unless the controller's\n"
           "                          values are the component state's and the latency reached\n"
           "                          the host; prints every value and the latency at the end\n" +
                                    std::string(WindowOptions::Usage());
    return text.c_str();
}

bool Vst3HostOptions::Parse(int argc, const char* const* argv, Vst3HostOptions& options, std::string& error)
{
    Readers readers = {
        {"--precision", [&](const std::string& v) { return ReadSampleSizes(v, options.sampleSizes); }},
        {"--param",
         [&](const std::string& v) {
             std::pair<uint32_t, double> parameter;
             const bool valid = ReadParameter(v, parameter);
             options.parameters.push_back(parameter);
             return valid;
         }},
        {"--load-state", [&](const std::string& v) { return !(options.loadStatePath = v).empty(); }},
        {"--save-state", [&](const std::string& v) { return !(options.saveStatePath = v).empty(); }},
        {"--expect-class", [&](const std::string& v) { return !(options.expectedClass = v).empty(); }},
    };
    Switches switches = {{"--roundtrip-state", &options.roundTripState}, {"--strict", &options.strict}};
    AddRunOptions(options, readers, switches);
    options.AddTo(readers, switches);
    return CommandLine::Parse(argc, argv, readers, switches, options.modulePath, "no module given", error);
}
