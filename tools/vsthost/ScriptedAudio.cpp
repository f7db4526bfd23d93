#include "tools/vsthost/ScriptedAudio.h"

#include "tools/vsthost/AudioBuffer.h"
#include "tools/vsthost/EditorWindow.h"

#include <algorithm>
#include <cmath>

namespace
{
// The editor redraws every 40 ms.
constexpr double kTickSeconds = 0.04;

// `frames` frames of the signal from `start` on, starting over at its end.
AudioBuffer Slice(const AudioBuffer& signal, int64_t start, int32_t frames)
{
    AudioBuffer slice(signal.ChannelCount(), frames);
    const int32_t length = signal.FrameCount();
    for (int32_t c = 0; c < signal.ChannelCount(); ++c)
        for (int32_t i = 0; i < frames; ++i)
            slice.channels[static_cast<size_t>(c)][static_cast<size_t>(i)] =
                signal.channels[static_cast<size_t>(c)][static_cast<size_t>((start + i) % length)];
    return slice;
}
}

namespace ScriptedAudio
{
void Play(AudioRenderer& renderer, const AudioBuffer& signal, AudioEntry entry, int32_t blockSize, double sampleRate,
          EditorWindow& window, double seconds)
{
    if (signal.FrameCount() <= 0 || blockSize <= 0)
        return;
    const int32_t blocksPerTick = std::max(1, static_cast<int32_t>(std::lround(kTickSeconds * sampleRate / blockSize)));
    const int32_t framesPerTick = blocksPerTick * blockSize;
    const auto totalFrames = static_cast<int64_t>(seconds * sampleRate);
    for (int64_t played = 0; played < totalFrames; played += framesPerTick)
    {
        renderer.Render(Slice(signal, played, framesPerTick), entry, blockSize);
        window.WaitForTicks(1);
    }
}
}
