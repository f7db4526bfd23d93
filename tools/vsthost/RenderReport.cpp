#include "tools/vsthost/RenderReport.h"

#include "tools/vsthost/LevelMeter.h"

#include <algorithm>

void RenderReport::PrintLevels(const char* label, int labelWidth, const AudioBuffer& output, std::FILE* out)
{
    const auto levels = LevelMeter::Measure(output);
    for (size_t channel = 0; channel < levels.size(); ++channel)
    {
        std::fprintf(out, "%-*s out %zu: peak %8.2f dBFS (%.6f)  rms %8.2f dBFS (%.6f)\n", labelWidth, label,
                     channel + 1, LevelMeter::ToDecibels(levels[channel].peak), levels[channel].peak,
                     LevelMeter::ToDecibels(levels[channel].rms), levels[channel].rms);
    }
}

std::string RenderReport::CheckPassThrough(const char* label, int labelWidth, const AudioBuffer& input,
                                           const AudioBuffer& output, std::FILE* out)
{
    const int32_t channels = std::min(input.ChannelCount(), output.ChannelCount());
    if (channels == 0)
        return "no channel passes through";
    for (int32_t channel = 0; channel < channels; ++channel)
    {
        const auto& want = input.channels[static_cast<size_t>(channel)];
        const auto& got = output.channels[static_cast<size_t>(channel)];
        const auto mismatch = std::mismatch(want.begin(), want.end(), got.begin());
        if (mismatch.first != want.end())
            return std::string(label) + " output " + std::to_string(channel + 1) + " differs from its input at frame " +
                   std::to_string(mismatch.first - want.begin());
    }
    std::fprintf(out, "%-*s passes %d channels through bit for bit\n", labelWidth, label, channels);
    return {};
}
