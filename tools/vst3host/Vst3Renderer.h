#pragma once
// Runs audio through an effect's process call in blocks, with one input and one output bus.

#include "tools/vsthost/AudioBuffer.h"

#include <cstdint>
#include <string>

class EffectInstance;
class ParameterChanges;

class Vst3Renderer
{
public:
    struct Layout
    {
        int32_t inputChannels;
        int32_t outputChannels;
    };

    Vst3Renderer(const EffectInstance& effect, Layout layout, double sampleRate);

    // Renders the whole input in blocks of at most blockSize frames with the given symbolic
    // sample size; the changes go with the first block. Plug-in input i is fed from channel i
    // modulo the input's channel count. False with a reason when a process call fails.
    bool Render(const AudioBuffer& input, int32_t sampleSize, int32_t blockSize, ParameterChanges* changes,
                AudioBuffer& output, std::string& error);
    // The audio exactly as the plug-in's inputs receive it.
    AudioBuffer PluginInputs(const AudioBuffer& input) const;

private:
    template <typename Sample>
    bool RenderBlocks(const AudioBuffer& input, int32_t sampleSize, int32_t blockSize, ParameterChanges* changes,
                      AudioBuffer& output, std::string& error);

    const EffectInstance& effect_;
    Layout layout_;
    double sampleRate_;
};
