#pragma once
// The command line both hosts share: the options they read alike and the loop that reads them.

#include "tools/vsthost/TestSignal.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

// What both hosts are asked alike: the audio, its blocks, the output and how often to run.
struct RunOptions
{
    double sampleRate = 44100.0;
    int32_t blockSize = 512;
    std::string inputPath;
    TestSignal::Kind signal = TestSignal::Kind::Sine;
    double seconds = 1.0;
    std::string outputPath;
    std::optional<int32_t> program;
    bool brief = false;
    bool expectPassThrough = false;
    int32_t cycles = 1;
};

namespace CommandLine
{
// Each option that takes a value, with what reads it; false when the value is wrong.
using Readers = std::map<std::string, std::function<bool(const std::string&)>>;
// Each option that stands alone, with the flag it sets.
using Switches = std::map<std::string, bool*>;

bool ReadInteger(const std::string& text, long long lowest, long long highest, long long& value);
bool ReadInt32(const std::string& text, int32_t lowest, int32_t highest, int32_t& value);
bool ReadNumber(const std::string& text, double lowest, double highest, double& value);
// Four characters packed into a number, the first one highest ("zv10").
bool ReadFourCharacters(const std::string& text, uint32_t& packed);
// Reads each comma-separated item; false when one is wrong.
bool ReadList(const std::string& text, const std::function<bool(const std::string&)>& readItem);

// Adds the options of RunOptions to the tables.
void AddRunOptions(RunOptions& options, Readers& readers, Switches& switches);

// Reads argv into the tables; the one argument that is no option goes to target. False with
// a reason when the command line is wrong, missingTarget when there is no such argument.
bool Parse(int argc, const char* const* argv, const Readers& readers, const Switches& switches,
           std::string& target, const char* missingTarget, std::string& error);
}
