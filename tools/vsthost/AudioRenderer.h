#pragma once
// Runs audio through one of the plug-in's three audio entries in blocks of a chosen size.

#include "tools/vsthost/AudioBuffer.h"

#include <cstdint>
#include <optional>
#include <string>

class HostContext;
class PluginInstance;

enum class AudioEntry
{
    Float,
    Double,
    Accumulate
};

class AudioRenderer
{
public:
    AudioRenderer(PluginInstance& plugin, HostContext& host) : plugin_(plugin), host_(host) {}

    static std::optional<AudioEntry> ParseEntry(const std::string& name);
    static const char* EntryName(AudioEntry entry);

    // Whether the plug-in offers that entry at all.
    bool Supports(AudioEntry entry) const;
    // Plug-in input i is fed from channel i modulo the input's channel count; the result has one
    // channel per plug-in output.
    AudioBuffer Render(const AudioBuffer& input, AudioEntry entry, int32_t blockSize);
    // The audio exactly as the plug-in's inputs receive it through that entry.
    AudioBuffer PluginInputs(const AudioBuffer& input, AudioEntry entry) const;

private:
    template <typename Sample>
    AudioBuffer RenderBlocks(const AudioBuffer& input, AudioEntry entry, int32_t blockSize);

    PluginInstance& plugin_;
    HostContext& host_;
};
