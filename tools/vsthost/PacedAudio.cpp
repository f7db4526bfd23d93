#include "tools/vsthost/PacedAudio.h"

#include "framework/vst2/Vst2Constants.h"
#include "tools/vsthost/PluginInstance.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <vector>

namespace
{
constexpr double kSineHz = 440.0;
constexpr double kSineLevel = 0.5;
}

PacedAudio::PacedAudio(PluginInstance& plugin, double sampleRate, int32_t blockSize,
                       std::function<void(int64_t block)> beforeBlock)
    : plugin_(plugin), sampleRate_(sampleRate), blockSize_(blockSize), beforeBlock_(std::move(beforeBlock))
{
    plugin_.Resume(kVstProcessPrecision32);
    thread_ = std::thread([this] { Play(); });
}

PacedAudio::~PacedAudio()
{
    stop_.store(true);
    thread_.join();
    plugin_.Suspend();
}

void PacedAudio::Play()
{
    AEffect* effect = plugin_.Effect();
    const auto frames = static_cast<size_t>(blockSize_);
    const auto inputCount = static_cast<size_t>(std::max(effect->numInputs, 0));
    const auto outputCount = static_cast<size_t>(std::max(effect->numOutputs, 0));
    std::vector<std::vector<float>> inputs(inputCount, std::vector<float>(frames));
    std::vector<std::vector<float>> outputs(outputCount, std::vector<float>(frames));
    std::vector<float*> inputPointers(std::max<size_t>(inputCount, 1));
    std::vector<float*> outputPointers(std::max<size_t>(outputCount, 1));
    for (size_t channel = 0; channel < inputCount; ++channel)
        inputPointers[channel] = inputs[channel].data();
    for (size_t channel = 0; channel < outputCount; ++channel)
        outputPointers[channel] = outputs[channel].data();

    using Clock = std::chrono::steady_clock;
    const auto period =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(blockSize_ / sampleRate_));
    const double step = 2.0 * std::numbers::pi * kSineHz / sampleRate_;
    int64_t frame = 0;
    Clock::time_point next = Clock::now();
    for (int64_t block = 0; !stop_.load(); ++block)
    {
        for (size_t i = 0; i < frames; ++i)
        {
            const auto sample = static_cast<float>(kSineLevel * std::sin(step * static_cast<double>(frame + i)));
            for (auto& input : inputs)
                input[i] = sample;
        }
        frame += blockSize_;
        if (beforeBlock_)
            beforeBlock_(block);
        effect->processReplacing(effect, inputPointers.data(), outputPointers.data(), blockSize_);
        blocks_.store(block + 1);
        next += period;
        std::this_thread::sleep_until(next);
    }
}
