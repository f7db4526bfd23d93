#pragma once
// Built-in test signals. Every sample is exactly representable in single precision, so the
// float and double audio entries receive the same values.

#include "tools/vsthost/AudioBuffer.h"

#include <optional>
#include <string>

class TestSignal
{
public:
    enum class Kind
    {
        Sine,
        Noise,
        Impulse,
        Silence
    };

    static std::optional<Kind> Parse(const std::string& name);
    static AudioBuffer Generate(Kind kind, int32_t channelCount, int32_t frameCount, double sampleRate);
};
