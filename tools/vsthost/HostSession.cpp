#include "tools/vsthost/HostSession.h"

#include "framework/vst2/Vst2Constants.h"
#include "tools/vsthost/AudioRenderer.h"
#include "tools/vsthost/ByteFile.h"
#include "tools/vsthost/HostContext.h"
#include "tools/vsthost/PluginInstance.h"
#include "tools/vsthost/PluginLibrary.h"
#include "tools/vsthost/PluginReport.h"
#include "tools/vsthost/RenderReport.h"
#include "tools/vsthost/ScriptedAudio.h"
#include "tools/vsthost/Vst2Editor.h"
#include "tools/vsthost/WavFile.h"
#include "tools/vsthost/WindowMode.h"

namespace
{
constexpr int kEntryNameWidth = 10;

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
    const bool passed = ApplySettings(plugin) && (!options_.WantsEditor() || RunEditor(plugin, host, renderer)) &&
                        RenderEntries(plugin, renderer) && SaveChunks(plugin) &&
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
        if (!ByteFile::Read(options_.loadBankPath, bytes) || !plugin.SetChunk(true, bytes))
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
        if (!ByteFile::Read(options_.loadProgramPath, bytes) || !plugin.SetChunk(false, bytes))
            return Fail("the program in " + options_.loadProgramPath + " was not accepted");
        std::fprintf(out_, "loaded program: %zu bytes\n", bytes.size());
    }
    if (!options_.programName.empty())
    {
        plugin.Dispatch(effSetProgramName, 0, 0, const_cast<char*>(options_.programName.c_str()));
        std::fprintf(out_, "program name: %s\n", plugin.Text(effGetProgramName).c_str());
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

bool HostSession::RunEditor(PluginInstance& plugin, const HostContext& host, AudioRenderer& renderer)
{
    Vst2Editor editor(plugin);
    const WindowMode::EditRecord edits{[&host] { return host.Edits().size(); },
                                       [this, &host](size_t first) { PrintEdits(host, first); }};
    std::string error;
    const WindowMode::AudioPlayer play = [&](EditorWindow& window, double seconds) {
        ScriptedAudio::Play(renderer, input_, options_.entries.front(), options_.blockSize, options_.sampleRate, window,
                            seconds);
    };
    return WindowMode::Run(editor, options_, edits, out_, error, play) || Fail(error);
}

void HostSession::PrintEdits(const HostContext& host, size_t first)
{
    const std::vector<HostContext::Edit>& edits = host.Edits();
    for (size_t i = first; i < edits.size(); ++i)
    {
        const HostContext::Edit& edit = edits[i];
        if (edit.opcode == audioMasterBeginEdit)
            std::fprintf(out_, "edit: begin %d\n", edit.index);
        else if (edit.opcode == audioMasterEndEdit)
            std::fprintf(out_, "edit: end %d\n", edit.index);
        else
            std::fprintf(out_, "edit: automate %d = %.6f\n", edit.index, edit.value);
    }
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
        RenderReport::PrintLevels(AudioRenderer::EntryName(entry), kEntryNameWidth, output, out_);
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

bool HostSession::CheckPassThrough(const AudioRenderer& renderer, AudioEntry entry, const AudioBuffer& output)
{
    const std::string failure = RenderReport::CheckPassThrough(
        AudioRenderer::EntryName(entry), kEntryNameWidth, renderer.PluginInputs(input_, entry), output, out_);
    return failure.empty() || Fail(failure);
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
        if (!ByteFile::Write(path, chunk))
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
