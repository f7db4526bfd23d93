#include "tools/vsthost/HostSession.h"

#include "framework/vst2/Vst2Constants.h"
#include "tools/vsthost/AudioRenderer.h"
#include "tools/vsthost/HostContext.h"
#include "tools/vsthost/LevelMeter.h"
#include "tools/vsthost/PluginInstance.h"
#include "tools/vsthost/PluginLibrary.h"
#include "tools/vsthost/PluginReport.h"
#include "tools/vsthost/WavFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace
{
bool ReadBytes(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return true;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

const char* ChunkName(bool bank)
{
    return bank ? "bank" : "program";
}

VstInt32 Precision(AudioEntry entry)
{
    return entry == AudioEntry::Double ? kVstProcessPrecision64 : kVstProcessPrecision32;
}
}

HostSession::HostSession(const HostOptions& options, const AudioBuffer& input, std::FILE* out)
    : options_(options), input_(input), out_(out)
{
}

bool HostSession::Fail(const std::string& reason)
{
    std::fprintf(out_, "error: %s\n", reason.c_str());
    return false;
}

bool HostSession::Run(bool printReport)
{
    PluginLibrary library(options_.pluginPath);
    if (!library.IsLoaded())
        return Fail(library.Error());
    const VstPluginMainProc entry = library.FindEntry();
    if (!entry)
        return Fail(options_.pluginPath + " exports neither VSTPluginMain nor main");

    HostContext host(options_.sampleRate, options_.blockSize);
    PluginInstance plugin(entry, &HostContext::Callback);
    if (!plugin.Effect())
        return Fail(plugin.Error());
    if (!CheckIdentity(plugin))
        return false;
    plugin.Open(options_.sampleRate, options_.blockSize);
    if (printReport)
        PluginReport::Print(plugin, options_.brief, out_);

    AudioRenderer renderer(plugin, host);
    const bool passed = ApplySettings(plugin) && RenderEntries(plugin, renderer) && SaveChunks(plugin) &&
                        (!options_.roundTripChunks || (RoundTripChunk(plugin, false) && RoundTripChunk(plugin, true)));
    plugin.Close();
    return passed;
}

bool HostSession::CheckIdentity(const PluginInstance& plugin)
{
    const AEffect* effect = plugin.Effect();
    if (options_.expectedUniqueId && effect->uniqueID != *options_.expectedUniqueId)
    {
        char expected[5];
        char actual[5];
        PluginReport::FormatFourCharacters(*options_.expectedUniqueId, expected);
        PluginReport::FormatFourCharacters(effect->uniqueID, actual);
        return Fail(std::string("unique id is '") + actual + "', expected '" + expected + "'");
    }
    if (options_.expectedVersion && effect->version != *options_.expectedVersion)
        return Fail("version is " + std::to_string(effect->version) + ", expected " +
                    std::to_string(*options_.expectedVersion));
    return true;
}

bool HostSession::ApplySettings(PluginInstance& plugin)
{
    AEffect* effect = plugin.Effect();
    std::vector<uint8_t> bytes;
    if (!options_.loadBankPath.empty())
    {
        if (!ReadBytes(options_.loadBankPath, bytes) || !plugin.SetChunk(true, bytes))
            return Fail("the bank in " + options_.loadBankPath + " was not accepted");
        std::fprintf(out_, "loaded bank: %zu bytes\n", bytes.size());
    }
    if (options_.program)
    {
        if (*options_.program >= effect->numPrograms)
            return Fail("the plug-in has no program " + std::to_string(*options_.program));
        plugin.Dispatch(effSetProgram, 0, *options_.program);
        std::fprintf(out_, "program %d: %s\n", *options_.program, plugin.Text(effGetProgramName).c_str());
    }
    if (!options_.loadProgramPath.empty())
    {
        if (!ReadBytes(options_.loadProgramPath, bytes) || !plugin.SetChunk(false, bytes))
            return Fail("the program in " + options_.loadProgramPath + " was not accepted");
        std::fprintf(out_, "loaded program: %zu bytes\n", bytes.size());
    }
    for (const auto& [index, value] : options_.parameters)
    {
        if (index >= effect->numParams)
            return Fail("the plug-in has no parameter " + std::to_string(index));
        effect->setParameter(effect, index, value);
        std::fprintf(out_, "param %d = %.6f: %s %s\n", index, effect->getParameter(effect, index),
                     plugin.Text(effGetParamDisplay, index).c_str(), plugin.Text(effGetParamLabel, index).c_str());
    }
    return true;
}

bool HostSession::RenderEntries(PluginInstance& plugin, AudioRenderer& renderer)
{
    bool written = options_.outputPath.empty();
    for (AudioEntry entry : options_.entries)
    {
        if (!renderer.Supports(entry))
            return Fail(std::string("the plug-in has no ") + AudioRenderer::EntryName(entry) + " audio entry");
        plugin.Resume(Precision(entry));
        const AudioBuffer output = renderer.Render(input_, entry, options_.blockSize);
        plugin.Suspend();
        PrintLevels(entry, output);
        if (options_.expectPassThrough && !CheckPassThrough(renderer, entry, output))
            return false;
        if (!written)
        {
            std::string error;
            if (!WavFile::Write(options_.outputPath, output, options_.sampleRate, error))
                return Fail(error);
            written = true;
        }
    }
    return true;
}

void HostSession::PrintLevels(AudioEntry entry, const AudioBuffer& output)
{
    const auto levels = LevelMeter::Measure(output);
    for (size_t channel = 0; channel < levels.size(); ++channel)
    {
        std::fprintf(out_, "%-10s out %zu: peak %8.2f dBFS (%.6f)  rms %8.2f dBFS (%.6f)\n",
                     AudioRenderer::EntryName(entry), channel + 1, LevelMeter::ToDecibels(levels[channel].peak),
                     levels[channel].peak, LevelMeter::ToDecibels(levels[channel].rms), levels[channel].rms);
    }
}

bool HostSession::CheckPassThrough(const AudioRenderer& renderer, AudioEntry entry, const AudioBuffer& output)
{
    const AudioBuffer expected = renderer.PluginInputs(input_, entry);
    const int32_t channels = std::min(expected.ChannelCount(), output.ChannelCount());
    if (channels == 0)
        return Fail("no channel passes through");
    for (int32_t channel = 0; channel < channels; ++channel)
    {
        const auto& want = expected.channels[static_cast<size_t>(channel)];
        const auto& got = output.channels[static_cast<size_t>(channel)];
        const auto mismatch = std::mismatch(want.begin(), want.end(), got.begin());
        if (mismatch.first != want.end())
        {
            const auto frame = mismatch.first - want.begin();
            return Fail(std::string(AudioRenderer::EntryName(entry)) + " output " + std::to_string(channel + 1) +
                        " differs from its input at frame " + std::to_string(frame));
        }
    }
    std::fprintf(out_, "%-10s passes %d channels through bit for bit\n", AudioRenderer::EntryName(entry), channels);
    return true;
}

bool HostSession::SaveChunks(const PluginInstance& plugin)
{
    for (bool bank : {false, true})
    {
        const std::string& path = bank ? options_.saveBankPath : options_.saveProgramPath;
        if (path.empty())
            continue;
        const std::vector<uint8_t> chunk = plugin.GetChunk(bank);
        if (chunk.empty())
            return Fail(std::string("the plug-in gave no ") + ChunkName(bank) + " chunk");
        if (!WriteBytes(path, chunk))
            return Fail("cannot write " + path);
        std::fprintf(out_, "saved %s chunk: %zu bytes\n", ChunkName(bank), chunk.size());
    }
    return true;
}

bool HostSession::RoundTripChunk(const PluginInstance& plugin, bool bank)
{
    if (!plugin.HasFlag(effFlagsProgramChunks))
        return Fail("the plug-in keeps no chunks");
    const std::vector<uint8_t> first = plugin.GetChunk(bank);
    if (first.empty())
        return Fail(std::string("the plug-in gave no ") + ChunkName(bank) + " chunk");
    if (!plugin.SetChunk(bank, first))
        return Fail(std::string("the plug-in refused its own ") + ChunkName(bank) + " chunk");
    const std::vector<uint8_t> second = plugin.GetChunk(bank);
    if (second != first)
        return Fail(std::string("the ") + ChunkName(bank) + " chunk changed in a round trip");
    std::fprintf(out_, "%s chunk: %zu bytes, round trip unchanged\n", ChunkName(bank), first.size());
    return true;
}
