#include "tools/vsthost/HostOptions.h"

#include <climits>

using namespace CommandLine;

namespace
{
bool ReadOptionalInteger(const std::string& text, int32_t lowest, int32_t highest, std::optional<int32_t>& value)
{
    int32_t parsed = 0;
    if (!ReadInt32(text, lowest, highest, parsed))
        return false;
    value = parsed;
    return true;
}

// A unique id is given as a number or as its four characters ("zv10", first one highest).
bool ReadUniqueId(const std::string& text, std::optional<int32_t>& value)
{
    if (ReadOptionalInteger(text, INT32_MIN, INT32_MAX, value))
        return true;
    uint32_t packed = 0;
    if (!ReadFourCharacters(text, packed))
        return false;
    value = static_cast<int32_t>(packed);
    return true;
}

bool ReadEntries(const std::string& text, std::vector<AudioEntry>& entries)
{
    entries.clear();
    return ReadList(text, [&](const std::string& item) {
        const auto entry = AudioRenderer::ParseEntry(item);
        if (entry)
            entries.push_back(*entry);
        return entry.has_value();
    });
}

bool ReadParameter(const std::string& text, std::pair<int32_t, float>& parameter)
{
    const size_t equals = text.find('=');
    double value = 0.0;
    if (equals == std::string::npos || !ReadInt32(text.substr(0, equals), 0, INT32_MAX, parameter.first) ||
        !ReadNumber(text.substr(equals + 1), 0.0, 1.0, value))
        return false;
    parameter.second = static_cast<float>(value);
    return true;
}
}

const char* HostOptions::Usage()
{
    static const std::string text = "usage: vsthost PLUGIN [options]\n"
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
           "  --program-name TEXT     rename the current program\n"
           "  --save-program FILE     save the program chunk\n"
           "  --load-bank FILE        restore a bank chunk saved before\n"
           "  --save-bank FILE        save the bank chunk\n"
           "  --brief                 leave out the parameter and program lists\n"
           "  --expect-id ID          fail unless the unique id is ID (four characters or a number)\n"
           "  --expect-version N      fail unless the plug-in's version is N\n"
           "  --expect-passthrough    fail unless every entry returns its input bit for bit\n"
           "  --roundtrip-chunks      fail unless program and bank chunks read back unchanged\n"
           "  --cycles N              load, run and unload the plug-in N times (1)\n" +
                                    std::string(WindowOptions::Usage());
    return text.c_str();
}

bool HostOptions::Parse(int argc, const char* const* argv, HostOptions& options, std::string& error)
{
    Readers readers = {
        {"--entry", [&](const std::string& v) { return ReadEntries(v, options.entries); }},
        {"--param",
         [&](const std::string& v) {
             std::pair<int32_t, float> parameter;
             const bool valid = ReadParameter(v, parameter);
             options.parameters.push_back(parameter);
             return valid;
         }},
        {"--load-program", [&](const std::string& v) { return !(options.loadProgramPath = v).empty(); }},
        {"--program-name", [&](const std::string& v) { return !(options.programName = v).empty(); }},
        {"--save-program", [&](const std::string& v) { return !(options.saveProgramPath = v).empty(); }},
        {"--load-bank", [&](const std::string& v) { return !(options.loadBankPath = v).empty(); }},
        {"--save-bank", [&](const std::string& v) { return !(options.saveBankPath = v).empty(); }},
        {"--expect-id", [&](const std::string& v) { return ReadUniqueId(v, options.expectedUniqueId); }},
        {"--expect-version",
         [&](const std::string& v) { return ReadOptionalInteger(v, INT32_MIN, INT32_MAX, options.expectedVersion); }},
    };
    Switches switches = {{"--roundtrip-chunks", &options.roundTripChunks}};
    AddRunOptions(options, readers, switches);
    options.AddTo(readers, switches);
    return CommandLine::Parse(argc, argv, readers, switches, options.pluginPath, "no plug-in file given", error);
}
