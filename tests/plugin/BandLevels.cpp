#include "tests/plugin/BandLevels.h"

#include "tests/plugin/FourierTransform.h"
#include "tests/support/Decibels.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace
{
constexpr double kLowestCentre = 25.0;
constexpr int kBandCount = 29;
constexpr double kBandsPerOctave = 3.0;
// Mean square of the Hann window.
constexpr double kHannPowerGain = 0.375;

using Complex = std::complex<double>;
}

std::vector<double> BandLevels::Measure(std::span<const double> samples, double rate)
{
    const size_t n = samples.size();
    std::vector<Complex> spectrum(n);
    for (size_t i = 0; i < n; ++i)
    {
        const double phase = 2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n);
        spectrum[i] = samples[i] * (0.5 - 0.5 * std::cos(phase));
    }
    FourierTransform(spectrum);

    std::vector<double> levels(kBandCount);
    const double binWidth = rate / static_cast<double>(n);
    const double halfBand = std::pow(2.0, 0.5 / kBandsPerOctave);
    // Twice the one-sided energy over the window's, so that a sine reads its mean square.
    const double scale = 2.0 / (static_cast<double>(n) * static_cast<double>(n) * kHannPowerGain);
    for (int band = 0; band < kBandCount; ++band)
    {
        const double centre = kLowestCentre * std::pow(2.0, band / kBandsPerOctave);
        const size_t first = static_cast<size_t>(std::ceil(centre / halfBand / binWidth));
        const size_t last = std::min(static_cast<size_t>(std::floor(centre * halfBand / binWidth)), n / 2);
        double energy = 0.0;
        for (size_t bin = first; bin <= last; ++bin)
            energy += std::norm(spectrum[bin]);
        const double meanSquare = energy * scale;
        levels[static_cast<size_t>(band)] =
            meanSquare > 0.0 ? std::max(kFloorDecibels, PowerDecibels(meanSquare)) : kFloorDecibels;
    }
    return levels;
}

double BandLevels::Distance(const std::vector<double>& a, const std::vector<double>& b)
{
    double sum = 0.0;
    int heard = 0;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (a[i] <= kFloorDecibels && b[i] <= kFloorDecibels)
            continue;
        sum += std::fabs(a[i] - b[i]);
        ++heard;
    }
    return heard == 0 ? 0.0 : sum / heard;
}
