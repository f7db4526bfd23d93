#pragma once
// One load, run and unload of a plug-in as the options ask, with the checks they name.

#include "tools/vsthost/AudioBuffer.h"
#include "tools/vsthost/HostOptions.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class AudioRenderer;
class HostContext;
class PluginInstance;

class HostSession
{
public:
    HostSession(const HostOptions& options, const AudioBuffer& input, std::FILE* out);

    // False when the plug-in could not be run or a check failed; the reasons are printed.
    bool Run(bool printReport);

private:
    bool CheckIdentity(const PluginInstance& plugin);
    bool ApplySettings(PluginInstance& plugin);
    // Window mode: opens the editor, plays the script (audio steps through the renderer),
    // saves the screenshot, closes it.
    bool RunEditor(PluginInstance& plugin, const HostContext& host, AudioRenderer& renderer);
    void PrintEdits(const HostContext& host, size_t first);
    bool RenderEntries(PluginInstance& plugin, AudioRenderer& renderer);
    bool CheckPassThrough(const AudioRenderer& renderer, AudioEntry entry, const AudioBuffer& output);
    bool SaveChunks(const PluginInstance& plugin);
    bool RoundTripChunk(const PluginInstance& plugin, bool bank);
    bool Fail(const std::string& reason);

    const HostOptions& options_;
    const AudioBuffer& input_;
    std::FILE* out_;
};
