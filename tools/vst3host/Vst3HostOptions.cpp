#include "tools/vst3host/Vst3HostOptions.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <map>

namespace
{
constexpr int32_t kLargestBlock = 1 << 20;
constexpr double kLongestSignalSeconds = 3600.0;
constexpr int32_t kMostCycles = 1000;
constexpr size_t kFourCharacters = 4;

bool ReadInteger(const std::string& text, long long lowest, long long highest, long long& value)
{
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || parsed < lowest || parsed > highest)
        return false;
    value = parsed;
    return true;
}

bool ReadInt32(const std::string& text, int32_t lowest, int32_t highest, int32_t& value)
{
    long long parsed = 0;
    if (!ReadInteger(text, lowest, highest, parsed))
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool ReadNumber(const std::string& text, double lowest, double highest, double& value)
{
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(parsed >= lowest && parsed <= highest))
        return false;
    value = parsed;
    return true;
}

bool ReadSampleSizes(const std::string& text, std::vector<int32_t>& sizes)
{
    sizes.clear();
    size_t start = 0;
    while (start <= text.size())
    {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        if (item == "32")
            sizes.push_back(0);
        else if (item == "64")
            sizes.push_back(1);
        else
            return false;
        start = comma + 1;
    }
    return !sizes.empty();
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
    if (text.size() != kFourCharacters)
        return std::nullopt;
    uint32_t packed = 0;
    for (unsigned char character : text)
        packed = (packed << 8) | character;
    return packed;
}

const char* Vst3HostOptions::Usage()
{
    return "usage: vst3host MODULE [options]   (MODULE: the module file or its .vst3 bundle folder)\n"
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
           "  --cycles N              load, run and unload the module N times (1)\n";
}

bool Vst3HostOptions::Parse(int argc, const char* const* argv, Vst3HostOptions& options, std::string& error)
{
    using Reader = std::function<bool(const std::string&)>;
    const std::map<std::string, Reader> valued = {
        {"--rate", [&](const std::string& v) { return ReadNumber(v, 1.0, 1e7, options.sampleRate); }},
        {"--block", [&](const std::string& v) { return ReadInt32(v, 1, kLargestBlock, options.blockSize); }},
        {"--precision", [&](const std::string& v) { return ReadSampleSizes(v, options.sampleSizes); }},
        {"--input", [&](const std::string& v) { return !(options.inputPath = v).empty(); }},
        {"--signal",
         [&](const std::string& v) {
             const auto kind = TestSignal::Parse(v);
             options.signal = kind.value_or(options.signal);
             return kind.has_value();
         }},
        {"--seconds", [&](const std::string& v) { return ReadNumber(v, 0.0, kLongestSignalSeconds, options.seconds); }},
        {"--output", [&](const std::string& v) { return !(options.outputPath = v).empty(); }},
        {"--param",
         [&](const std::string& v) {
             std::pair<uint32_t, double> parameter;
             const bool valid = ReadParameter(v, parameter);
             options.parameters.push_back(parameter);
             return valid;
         }},
        {"--program",
         [&](const std::string& v) {
             int32_t program = 0;
             const bool valid = ReadInt32(v, 0, INT32_MAX, program);
             options.program = program;
             return valid;
         }},
        {"--load-state", [&](const std::string& v) { return !(options.loadStatePath = v).empty(); }},
        {"--save-state", [&](const std::string& v) { return !(options.saveStatePath = v).empty(); }},
        {"--expect-class", [&](const std::string& v) { return !(options.expectedClass = v).empty(); }},
        {"--cycles", [&](const std::string& v) { return ReadInt32(v, 1, kMostCycles, options.cycles); }},
    };
    const std::map<std::string, bool*> switches = {
        {"--brief", &options.brief},
        {"--expect-passthrough", &options.expectPassThrough},
        {"--roundtrip-state", &options.roundTripState},
    };

    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (const auto flag = switches.find(argument); flag != switches.end())
        {
            *flag->second = true;
        }
        else if (const auto option = valued.find(argument); option != valued.end())
        {
            if (i + 1 >= argc)
            {
                error = argument + " needs a value";
                return false;
            }
            const std::string value = argv[++i];
            if (!option->second(value))
            {
                error = "bad value for " + argument + ": " + value;
                return false;
            }
        }
        else if (argument.rfind("--", 0) == 0 || !options.modulePath.empty())
        {
            error = "unknown argument " + argument;
            return false;
        }
        else
        {
            options.modulePath = argument;
        }
    }
    if (options.modulePath.empty())
    {
        error = "no module given";
        return false;
    }
    return true;
}
