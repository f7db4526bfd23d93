#include "plugin/ParamDisplayText.h"

#include "dsp/units/path/SmpRateConverter.h"
#include "framework/SignlessZero.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace
{
constexpr double kPercent = 100.0;

// Outside its list a mode shows the list's first name.
template <size_t N>
const char* NameOrFirst(const std::array<const char*, N>& names, uint32_t index)
{
    return index < names.size() ? names[index] : names[0];
}

struct HighQualityBand
{
    uint32_t mode;
    double low;
    double high;
};
constexpr std::array<HighQualityBand, 2> kHighQualityBands = {{{1, 20.0, 20000.0}, {2, 40.0, 20000.0}}};
}

namespace ParamDisplayText
{
void BitDepth(char* out, int size, double bits)
{
    std::snprintf(out, static_cast<size_t>(size), "%2.1fbit", bits);
}

void ReducedRate(char* out, int size, double ratio, double sampleRate)
{
    const double kept = std::clamp(std::isnan(ratio) ? 0.0 : ratio, Wezmark::SmpRateConverter::kSlowestRatio, 1.0);
    std::snprintf(out, static_cast<size_t>(size), "%dHz", static_cast<int>(kept * sampleRate));
}

void GateLevel(char* out, int size, double level, double threshold)
{
    if (level > 0.0)
        std::snprintf(out, static_cast<size_t>(size), "%3.1fdB", SignlessZero::Clean(20.0 * std::log10(threshold), 1));
    else
        std::snprintf(out, static_cast<size_t>(size), "-oodB");
}

void Decibels(char* out, int size, double db)
{
    SignlessZero::SignedDecibels(out, static_cast<size_t>(size), db);
}

void Balance(char* out, int size, double balance)
{
    std::snprintf(out, static_cast<size_t>(size), "%3.1f%% / %3.1f%%", kPercent * (1.0 - balance),
                  kPercent * balance);
}

void Frequency(char* out, int size, double hz)
{
    std::snprintf(out, static_cast<size_t>(size), "%.1fHz", hz);
}

void WholeHertz(char* out, int size, double hz)
{
    std::snprintf(out, static_cast<size_t>(size), "%d Hz", static_cast<int>(hz));
}

void Tooltip(char* out, int size, const char* prefix, const char* text)
{
    std::snprintf(out, static_cast<size_t>(size), "%s: %s", prefix, text);
}

void OutputFilterBand(char* out, int size, uint32_t mode)
{
    for (const HighQualityBand& band : kHighQualityBands)
        if (band.mode == mode)
        {
            std::snprintf(out, static_cast<size_t>(size), "%.1fHz-%.1fHz", band.low, band.high);
            return;
        }
    std::snprintf(out, static_cast<size_t>(size), "off");
}

const char* ChannelModeName(uint32_t mode)
{
    static constexpr std::array<const char*, 5> kNames = {"Stereo", "Inverse Stereo", "Mono Mix (L+R)",
                                                           "Mono L/L", "Mono R/R"};
    return NameOrFirst(kNames, mode);
}

const char* ShaperWaveformName(uint32_t waveform)
{
    static constexpr std::array<const char*, 9> kNames = {"Sine",  "Triangle", "Pulse",  "Saw",      "Sine2",
                                                           "Pulse2", "Noise1",  "Noise2", "Dyn-Noise"};
    return NameOrFirst(kNames, waveform);
}

const char* ShaperModeName(uint32_t mode)
{
    static constexpr std::array<const char*, 4> kNames = {"Shaper", "Sat.Shaper", "Boost Shaper",
                                                           "Boost+Sat.Shaper"};
    return NameOrFirst(kNames, mode);
}

const char* TransitionName(int32_t speed)
{
    static constexpr std::array<const char*, 2> kNames = {"Slow", "Medium"};
    return speed >= 0 && speed < static_cast<int32_t>(kNames.size()) ? kNames[static_cast<size_t>(speed)] : "Fast";
}
}
