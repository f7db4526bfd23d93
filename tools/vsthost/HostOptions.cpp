#include "tools/vsthost/HostOptions.h"

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

bool ReadInteger(const std::string& text, int32_t lowest, int32_t highest, int32_t& value)
{
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || parsed < lowest || parsed > highest)
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool ReadOptionalInteger(const std::string& text, int32_t lowest, int32_t highest, std::optional<int32_t>& value)
{
    int32_t parsed = 0;
    if (!ReadInteger(text, lowest, highest, parsed))
        return false;
    value = parsed;
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

// A unique id is given as a number or as its four characters ("zv10", first one highest).
bool ReadUniqueId(const std::string& text, std::optional<int32_t>& value)
{
    if (ReadOptionalInteger(text, INT32_MIN, INT32_MAX, value))
        return true;
    if (text.size() != 4)
        return false;
    uint32_t packed = 0;
    for (unsigned char character : text)
        packed = (packed << 8) | character;
    value = static_cast<int32_t>(packed);
    return true;
}

bool ReadEntries(const std::string& text, std::vector<AudioEntry>& entries)
{
    entries.clear();
    size_t start = 0;
    while (start <= text.size())
    {
        const size_t comma = std::min(text.find(',', start), text.size());
        const auto entry = AudioRenderer::ParseEntry(text.substr(start, comma - start));
        if (!entry)
            return false;
        entries.push_back(*entry);
        start = comma + 1;
    }
    return !entries.empty();
}

bool ReadParameter(const std::string& text, std::pair<int32_t, float>& parameter)
{
    const size_t equals = text.find('=');
    double value = 0.0;
    if (equals == std::string::npos || !ReadInteger(text.substr(0, equals), 0, INT32_MAX, parameter.first) ||
        !ReadNumber(text.substr(equals + 1), 0.0, 1.0, value))
        return false;
    parameter.second = static_cast<float>(value);
    return true;
}
}

const char* HostOptions::Usage()
{
    return "usage: vsthost PLUGIN [options]\n"
           "  --rate HZ               sample rate (44100)\n"
           "  --block N               block size in frames (512)\n"
           "  --entry LIST            audio entries to render, comma-separated: float, double, accumulate\n"
           "  --input FILE.wav        render this file instead of a built-in signal\n"
           "  --signal KIND           built-in signal: sine, noise, impulse, silence (sine)\n"
           "  --seconds S             length of the built-in signal (1)\n"
           "  --output FILE.wav       write what the first entry rendered (32-bit float)\n"
           "  --param I=V             set parameter I to the normalised value V (repeatable)\n"
           "  --program N             select program N\n"
           "  --load-program FILE     restore a program chunk saved before\n"
           "  --save-program FILE     save the program chunk\n"
           "  --load-bank FILE        restore a bank chunk saved before\n"
           "  --save-bank FILE        save the bank chunk\n"
           "  --brief                 leave out the parameter and program lists\n"
           "  --expect-id ID          fail unless the unique id is ID (four characters or a number)\n"
           "  --expect-version N      fail unless the plug-in's version is N\n"
           "  --expect-passthrough    fail unless every entry returns its input bit for bit\n"
           "  --roundtrip-chunks      fail unless program and bank chunks read back unchanged\n"
           "  --cycles N              load, run and unload the plug-in N times (1)\n";
}

bool HostOptions::Parse(int argc, const char* const* argv, HostOptions& options, std::string& error)
{
    using Reader = std::function<bool(const std::string&)>;
    const std::map<std::string, Reader> valued = {
        {"--rate", [&](const std::string& v) { return ReadNumber(v, 1.0, 1e7, options.sampleRate); }},
        {"--block", [&](const std::string& v) { return ReadInteger(v, 1, kLargestBlock, options.blockSize); }},
        {"--entry", [&](const std::string& v) { return ReadEntries(v, options.entries); }},
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
             std::pair<int32_t, float> parameter;
             const bool valid = ReadParameter(v, parameter);
             options.parameters.push_back(parameter);
             return valid;
         }},
        {"--program", [&](const std::string& v) { return ReadOptionalInteger(v, 0, INT32_MAX, options.program); }},
        {"--load-program", [&](const std::string& v) { return !(options.loadProgramPath = v).empty(); }},
        {"--save-program", [&](const std::string& v) { return !(options.saveProgramPath = v).empty(); }},
        {"--load-bank", [&](const std::string& v) { return !(options.loadBankPath = v).empty(); }},
        {"--save-bank", [&](const std::string& v) { return !(options.saveBankPath = v).empty(); }},
        {"--expect-id", [&](const std::string& v) { return ReadUniqueId(v, options.expectedUniqueId); }},
        {"--expect-version",
         [&](const std::string& v) { return ReadOptionalInteger(v, INT32_MIN, INT32_MAX, options.expectedVersion); }},
        {"--cycles", [&](const std::string& v) { return ReadInteger(v, 1, kMostCycles, options.cycles); }},
    };
    const std::map<std::string, bool*> switches = {
        {"--brief", &options.brief},
        {"--expect-passthrough", &options.expectPassThrough},
        {"--roundtrip-chunks", &options.roundTripChunks},
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
        else if (argument.rfind("--", 0) == 0 || !options.pluginPath.empty())
        {
            error = "unknown argument " + argument;
            return false;
        }
        else
        {
            options.pluginPath = argument;
        }
    }
    if (options.pluginPath.empty())
    {
        error = "no plug-in file given";
        return false;
    }
    return true;
}
