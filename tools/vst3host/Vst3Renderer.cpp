#include "tools/vst3host/Vst3Renderer.h"

#include "tools/vst3host/ComTypes.h"
#include "tools/vst3host/EffectInstance.h"
#include "tools/vst3host/ParameterChanges.h"

#include <algorithm>
#include <vector>

namespace
{
constexpr double kTempo = 120.0;
constexpr int32_t kBeatsPerBar = 4;
constexpr int32_t kBeatUnit = 4;
constexpr double kSecondsPerMinute = 60.0;
}

Vst3Renderer::Vst3Renderer(const EffectInstance& effect, Layout layout, double sampleRate)
    : effect_(effect), layout_(layout), sampleRate_(sampleRate)
{
}

AudioBuffer Vst3Renderer::PluginInputs(const AudioBuffer& input) const
{
    AudioBuffer fed(layout_.inputChannels, input.FrameCount());
    if (input.ChannelCount() == 0)
        return fed;
    for (int32_t channel = 0; channel < layout_.inputChannels; ++channel)
        fed.channels[static_cast<size_t>(channel)] =
            input.channels[static_cast<size_t>(channel % input.ChannelCount())];
    return fed;
}

bool Vst3Renderer::Render(const AudioBuffer& input, int32_t sampleSize, int32_t blockSize, ParameterChanges* changes,
                          AudioBuffer& output, std::string& error)
{
    if (sampleSize == kSample64)
        return RenderBlocks<double>(input, sampleSize, blockSize, changes, output, error);
    return RenderBlocks<float>(input, sampleSize, blockSize, changes, output, error);
}

template <typename Sample>
bool Vst3Renderer::RenderBlocks(const AudioBuffer& input, int32_t sampleSize, int32_t blockSize,
                                ParameterChanges* changes, AudioBuffer& output, std::string& error)
{
    const AudioBuffer fed = PluginInputs(input);
    const int32_t frames = input.FrameCount();
    output = AudioBuffer(layout_.outputChannels, frames);

    std::vector<std::vector<Sample>> inputBlocks(static_cast<size_t>(layout_.inputChannels),
                                                 std::vector<Sample>(static_cast<size_t>(blockSize)));
    std::vector<std::vector<Sample>> outputBlocks(static_cast<size_t>(layout_.outputChannels),
                                                  std::vector<Sample>(static_cast<size_t>(blockSize)));
    std::vector<void*> inputPointers;
    std::vector<void*> outputPointers;
    for (auto& block : inputBlocks)
        inputPointers.push_back(block.data());
    for (auto& block : outputBlocks)
        outputPointers.push_back(block.data());

    BusBuffersRecord inputBus{layout_.inputChannels, 0, inputPointers.data()};
    BusBuffersRecord outputBus{layout_.outputChannels, 0, outputPointers.data()};
    ProcessContextRecord context{};
    context.state = kContextTempoValid | kContextTimeSigValid;
    context.sampleRate = sampleRate_;
    context.tempo = kTempo;
    context.timeSigNumerator = kBeatsPerBar;
    context.timeSigDenominator = kBeatUnit;

    ProcessDataRecord data{};
    data.processMode = kRealtimeMode;
    data.symbolicSampleSize = sampleSize;
    data.numInputs = layout_.inputChannels > 0 ? 1 : 0;
    data.numOutputs = layout_.outputChannels > 0 ? 1 : 0;
    data.inputs = &inputBus;
    data.outputs = &outputBus;
    data.processContext = &context;

    const auto& processor = effect_.Processor();
    for (int32_t offset = 0; offset < frames; offset += blockSize)
    {
        const int32_t count = std::min(blockSize, frames - offset);
        for (int32_t channel = 0; channel < layout_.inputChannels; ++channel)
        {
            const auto& source = fed.channels[static_cast<size_t>(channel)];
            std::transform(source.begin() + offset, source.begin() + offset + count,
                           inputBlocks[static_cast<size_t>(channel)].begin(),
                           [](double sample) { return static_cast<Sample>(sample); });
        }
        data.numSamples = count;
        data.inputParameterChanges = offset == 0 && changes ? changes->Object() : nullptr;
        context.projectTimeSamples = offset;
        context.projectTimeMusic = offset / sampleRate_ * kTempo / kSecondsPerMinute;
        if (processor.process(effect_.ProcessorObject(), &data) != kComOk)
        {
            error = "process failed at frame " + std::to_string(offset);
            return false;
        }
        for (int32_t channel = 0; channel < layout_.outputChannels; ++channel)
        {
            const auto& block = outputBlocks[static_cast<size_t>(channel)];
            std::copy(block.begin(), block.begin() + count,
                      output.channels[static_cast<size_t>(channel)].begin() + offset);
        }
    }
    return true;
}
