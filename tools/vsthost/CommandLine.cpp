#include "tools/vsthost/CommandLine.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace
{
constexpr int32_t kLargestBlock = 1 << 20;
constexpr double kLongestSignalSeconds = 3600.0;
constexpr int32_t kMostCycles = 1000;
constexpr size_t kFourCharacters = 4;
}

bool CommandLine::ReadInteger(const std::string& text, long long lowest, long long highest, long long& value)
{
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0' || parsed < lowest || parsed > highest)
        return false;
    value = parsed;
    return true;
}

bool CommandLine::ReadInt32(const std::string& text, int32_t lowest, int32_t highest, int32_t& value)
{
    long long parsed = 0;
    if (!ReadInteger(text, lowest, highest, parsed))
        return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool CommandLine::ReadNumber(const std::string& text, double lowest, double highest, double& value)
{
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(parsed >= lowest && parsed <= highest))
        return false;
    value = parsed;
    return true;
}

bool CommandLine::ReadFourCharacters(const std::string& text, uint32_t& packed)
{
    if (text.size() != kFourCharacters)
        return false;
    packed = 0;
    for (unsigned char character : text)
        packed = (packed << 8) | character;
    return true;
}

bool CommandLine::ReadList(const std::string& text, const std::function<bool(const std::string&)>& readItem)
{
    size_t start = 0;
    while (start <= text.size())
    {
        const size_t comma = std::min(text.find(',', start), text.size());
        if (!readItem(text.substr(start, comma - start)))
            return false;
        start = comma + 1;
    }
    return true;
}

void CommandLine::AddRunOptions(RunOptions& options, Readers& readers, Switches& switches)
{
    readers["--rate"] = [&](const std::string& v) { return ReadNumber(v, 1.0, 1e7, options.sampleRate); };
    readers["--block"] = [&](const std::string& v) { return ReadInt32(v, 1, kLargestBlock, options.blockSize); };
    readers["--input"] = [&](const std::string& v) { return !(options.inputPath = v).empty(); };
    readers["--signal"] = [&](const std::string& v) {
        const auto kind = TestSignal::Parse(v);
        options.signal = kind.value_or(options.signal);
        return kind.has_value();
    };
    readers["--seconds"] = [&](const std::string& v) {
        return ReadNumber(v, 0.0, kLongestSignalSeconds, options.seconds);
    };
    readers["--output"] = [&](const std::string& v) { return !(options.outputPath = v).empty(); };
    readers["--program"] = [&](const std::string& v) {
        int32_t program = 0;
        if (!ReadInt32(v, 0, INT32_MAX, program))
            return false;
        options.program = program;
        return true;
    };
    readers["--cycles"] = [&](const std::string& v) { return ReadInt32(v, 1, kMostCycles, options.cycles); };
    switches["--brief"] = &options.brief;
    switches["--expect-passthrough"] = &options.expectPassThrough;
}

bool CommandLine::Parse(int argc, const char* const* argv, const Readers& readers, const Switches& switches,
                        std::string& target, const char* missingTarget, std::string& error)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (const auto flag = switches.find(argument); flag != switches.end())
        {
            *flag->second = true;
        }
        else if (const auto option = readers.find(argument); option != readers.end())
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
        else if (argument.rfind("--", 0) == 0 || !target.empty())
        {
            error = "unknown argument " + argument;
            return false;
        }
        else
        {
            target = argument;
        }
    }
    if (target.empty())
    {
        error = missingTarget;
        return false;
    }
    return true;
}
