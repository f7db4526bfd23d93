#include "tools/vsthost/LevelMeter.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kSilenceDecibels = -200.0;
}

std::vector<LevelMeter::Level> LevelMeter::Measure(const AudioBuffer& audio)
{
    std::vector<Level> levels;
    for (const auto& samples : audio.channels)
    {
        Level level;
        double sumOfSquares = 0.0;
        for (double sample : samples)
        {
            level.peak = std::max(level.peak, std::fabs(sample));
            sumOfSquares += sample * sample;
        }
        if (!samples.empty())
            level.rms = std::sqrt(sumOfSquares / static_cast<double>(samples.size()));
        levels.push_back(level);
    }
    return levels;
}

double LevelMeter::ToDecibels(double linear)
{
    return linear > 0.0 ? std::max(20.0 * std::log10(linear), kSilenceDecibels) : kSilenceDecibels;
}
