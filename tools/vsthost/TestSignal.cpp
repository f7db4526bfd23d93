#include "tools/vsthost/TestSignal.h"

#include <cmath>
#include <numbers>

namespace
{
constexpr double kSineFrequency = 440.0;
// Each further channel's sine lies a fifth above the previous one, so channels stay apart.
constexpr double kChannelFrequencyRatio = 1.5;
constexpr double kSineAmplitude = 0.5;
constexpr uint32_t kNoiseSeed = 0x2545F491u;
}

std::optional<TestSignal::Kind> TestSignal::Parse(const std::string& name)
{
    if (name == "sine")
        return Kind::Sine;
    if (name == "noise")
        return Kind::Noise;
    if (name == "impulse")
        return Kind::Impulse;
    if (name == "silence")
        return Kind::Silence;
    return std::nullopt;
}

AudioBuffer TestSignal::Generate(Kind kind, int32_t channelCount, int32_t frameCount, double sampleRate)
{
    AudioBuffer audio(channelCount, frameCount);
    uint32_t noiseState = kNoiseSeed;
    for (int32_t channel = 0; channel < channelCount; ++channel)
    {
        const double frequency = kSineFrequency * std::pow(kChannelFrequencyRatio, channel);
        auto& samples = audio.channels[static_cast<size_t>(channel)];
        for (int32_t frame = 0; frame < frameCount; ++frame)
        {
            double value = 0.0;
            switch (kind)
            {
            case Kind::Sine:
                value = kSineAmplitude * std::sin(2.0 * std::numbers::pi * frequency * frame / sampleRate);
                break;
            case Kind::Noise:
                // xorshift32: a fixed sequence, the same on every platform.
                noiseState ^= noiseState << 13;
                noiseState ^= noiseState >> 17;
                noiseState ^= noiseState << 5;
                value = noiseState / 2147483648.0 - 1.0;
                break;
            case Kind::Impulse:
                value = frame == 0 ? 1.0 : 0.0;
                break;
            case Kind::Silence:
                break;
            }
            samples[static_cast<size_t>(frame)] = static_cast<float>(value);
        }
    }
    return audio;
}
