#include "tools/vsthost/AudioRenderer.h"

#include "framework/vst2/Vst2Constants.h"
#include "tools/vsthost/HostContext.h"
#include "tools/vsthost/PluginInstance.h"

#include <algorithm>
#include <type_traits>
#include <vector>

std::optional<AudioEntry> AudioRenderer::ParseEntry(const std::string& name)
{
    for (AudioEntry entry : {AudioEntry::Float, AudioEntry::Double, AudioEntry::Accumulate})
    {
        if (name == EntryName(entry))
            return entry;
    }
    return std::nullopt;
}

const char* AudioRenderer::EntryName(AudioEntry entry)
{
    switch (entry)
    {
    case AudioEntry::Float:
        return "float";
    case AudioEntry::Double:
        return "double";
    case AudioEntry::Accumulate:
        return "accumulate";
    }
    return "";
}

bool AudioRenderer::Supports(AudioEntry entry) const
{
    const AEffect* effect = plugin_.Effect();
    if (!effect)
        return false;
    switch (entry)
    {
    case AudioEntry::Float:
        return plugin_.HasFlag(effFlagsCanReplacing) && effect->processReplacing;
    case AudioEntry::Double:
        return plugin_.HasFlag(effFlagsCanDoubleReplacing) && effect->processDoubleReplacing;
    case AudioEntry::Accumulate:
        return effect->process != nullptr;
    }
    return false;
}

AudioBuffer AudioRenderer::PluginInputs(const AudioBuffer& input, AudioEntry entry) const
{
    const int32_t channelCount = plugin_.Effect() ? plugin_.Effect()->numInputs : 0;
    AudioBuffer fed(channelCount, input.FrameCount());
    if (input.ChannelCount() == 0)
        return fed;
    for (int32_t channel = 0; channel < channelCount; ++channel)
    {
        const auto& source = input.channels[static_cast<size_t>(channel % input.ChannelCount())];
        auto& destination = fed.channels[static_cast<size_t>(channel)];
        for (size_t frame = 0; frame < source.size(); ++frame)
            destination[frame] = entry == AudioEntry::Double ? source[frame] : static_cast<float>(source[frame]);
    }
    return fed;
}

AudioBuffer AudioRenderer::Render(const AudioBuffer& input, AudioEntry entry, int32_t blockSize)
{
    if (entry == AudioEntry::Double)
        return RenderBlocks<double>(input, entry, blockSize);
    return RenderBlocks<float>(input, entry, blockSize);
}

template <typename Sample>
AudioBuffer AudioRenderer::RenderBlocks(const AudioBuffer& input, AudioEntry entry, int32_t blockSize)
{
    AEffect* effect = plugin_.Effect();
    const AudioBuffer fed = PluginInputs(input, entry);
    const auto inputCount = static_cast<size_t>(std::max(effect->numInputs, 0));
    const auto outputCount = static_cast<size_t>(std::max(effect->numOutputs, 0));
    const auto blockFrames = static_cast<size_t>(blockSize);

    std::vector<std::vector<Sample>> inputs(inputCount, std::vector<Sample>(blockFrames));
    std::vector<std::vector<Sample>> outputs(outputCount, std::vector<Sample>(blockFrames));
    // Never hand the plug-in a null array, even for a side without channels.
    std::vector<Sample*> inputPointers(std::max<size_t>(inputCount, 1));
    std::vector<Sample*> outputPointers(std::max<size_t>(outputCount, 1));
    for (size_t channel = 0; channel < inputCount; ++channel)
        inputPointers[channel] = inputs[channel].data();
    for (size_t channel = 0; channel < outputCount; ++channel)
        outputPointers[channel] = outputs[channel].data();

    AudioBuffer rendered(static_cast<int32_t>(outputCount), input.FrameCount());
    host_.RewindTransport();
    for (int32_t start = 0; start < input.FrameCount(); start += blockSize)
    {
        const int32_t frames = std::min(blockSize, input.FrameCount() - start);
        for (size_t channel = 0; channel < inputCount; ++channel)
        {
            const auto& source = fed.channels[channel];
            std::copy_n(source.begin() + start, frames, inputs[channel].begin());
        }
        // The accumulating entry adds to what the outputs hold.
        for (auto& output : outputs)
            std::fill(output.begin(), output.end(), Sample{});

        if constexpr (std::is_same_v<Sample, double>)
            effect->processDoubleReplacing(effect, inputPointers.data(), outputPointers.data(), frames);
        else if (entry == AudioEntry::Accumulate)
            effect->process(effect, inputPointers.data(), outputPointers.data(), frames);
        else
            effect->processReplacing(effect, inputPointers.data(), outputPointers.data(), frames);

        for (size_t channel = 0; channel < outputCount; ++channel)
        {
            auto& destination = rendered.channels[channel];
            std::copy_n(outputs[channel].begin(), frames, destination.begin() + start);
        }
        host_.AdvanceTransport(frames);
    }
    return rendered;
}
