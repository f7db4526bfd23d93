#include "DesignCatalogue.h"

#include "dsp/filters/ParamInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

double LargestPoleRadius(const Dsp::Filter& filter)
{
    double largest = 0.0;
    for (const Dsp::PoleZeroPair& pair : filter.GetPoleZeroPairs()) {
        largest = std::max(largest, std::abs(pair.pole1));
        if (!pair.IsSingle())
            largest = std::max(largest, std::abs(pair.pole2));
    }
    return largest;
}

struct OutputLevels {
    bool finite;
    double settledPeak; // after the glide
};

OutputLevels RunNoise(Dsp::Filter& filter, int frames, int settledFrom)
{
    std::mt19937 random(21);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    std::vector<double> left(frames);
    std::vector<double> right(frames);
    for (int n = 0; n < frames; ++n) {
        left[n] = noise(random);
        right[n] = noise(random);
    }
    double* channels[] = {left.data(), right.data()};
    filter.ProcessDouble(frames, channels);
    OutputLevels levels{true, 0.0};
    for (int n = 0; n < frames; ++n) {
        levels.finite = levels.finite && std::isfinite(left[n]) && std::isfinite(right[n]);
        if (n >= settledFrom)
            levels.settledPeak = std::max({levels.settledPeak, std::fabs(left[n]), std::fabs(right[n])});
    }
    return levels;
}

TEST(Stability, EveryDesignStaysStableWithFrequenciesAtAndAboveNyquist)
{
    // Far above what noise of amplitude 1 gives through a stable design of gain at most 1.
    constexpr double kBound = 100.0;
    for (const DesignEntry& entry : AllDesigns()) {
        for (double fs : {22050.0, 32000.0}) {
            for (double hz : {0.49 * fs, 0.5 * fs, 0.6 * fs, 22040.0, 30000.0}) {
                for (double width : {1720.0, 22040.0}) {
                    SCOPED_TRACE(entry.label + " fs " + std::to_string(fs) + " f " + std::to_string(hz) + " width " +
                                 std::to_string(width));
                    auto filter = MakeDesigned(entry, fs);
                    filter->SetTransitionLength(256);
                    filter->params[FindParam(*filter, Dsp::kFrequencyId)] = hz;
                    if (FindParam(*filter, Dsp::kBandwidthHzId) >= 0)
                        filter->params[FindParam(*filter, Dsp::kBandwidthHzId)] = width;
                    filter->SetParams(filter->params);
                    EXPECT_LT(LargestPoleRadius(*filter), 1.0);
                    // The glide runs the transition design up to the same frequency; its
                    // transients must die away.
                    const OutputLevels levels = RunNoise(*filter, 8000, 4000);
                    EXPECT_TRUE(levels.finite);
                    EXPECT_LT(levels.settledPeak, kBound);
                }
            }
        }
    }
}

// Peak of the output for white noise of amplitude 0.5, in blocks of 64, from frame `from` on.
double NoisePeak(Dsp::Filter& filter, int frames, int from, unsigned seed)
{
    constexpr int kBlock = 64;
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> noise(-0.5, 0.5);
    std::vector<double> left(kBlock);
    std::vector<double> right(kBlock);
    double* channels[] = {left.data(), right.data()};
    double peak = 0.0;
    for (int frame = 0; frame < frames; frame += kBlock) {
        for (int n = 0; n < kBlock; ++n) {
            left[n] = noise(random);
            right[n] = noise(random);
        }
        filter.ProcessDouble(kBlock, channels);
        for (int n = 0; n < kBlock; ++n) {
            if (!std::isfinite(left[n]) || !std::isfinite(right[n]))
                return std::numeric_limits<double>::infinity();
            if (frame + n >= from)
                peak = std::max({peak, std::fabs(left[n]), std::fabs(right[n])});
        }
    }
    return peak;
}

struct GlideLevels {
    double from;
    double to;
    double glide;
};

// The settled noise peaks of both end designs, and the peak from the start of a glide between
// them (after the first design has settled) until well after its end. make gives a filter
// that applies parameters at once; apply sets the parameters of one end.
template <class Make, class Apply>
GlideLevels MeasureGlide(Make make, int length, Apply apply)
{
    constexpr int kSettle = 6000;
    GlideLevels levels{};
    for (bool atStart : {true, false}) {
        auto filter = make();
        apply(*filter, atStart);
        (atStart ? levels.from : levels.to) = NoisePeak(*filter, 2 * kSettle, kSettle, 1);
    }
    auto filter = make();
    apply(*filter, true);
    NoisePeak(*filter, kSettle, kSettle, 2);
    filter->SetTransitionLength(length);
    apply(*filter, false);
    levels.glide = NoisePeak(*filter, length + kSettle, 0, 3);
    return levels;
}

void ExpectGlideWithin(const GlideLevels& levels, double margin)
{
    ASSERT_TRUE(std::isfinite(levels.from) && std::isfinite(levels.to));
    EXPECT_LT(levels.glide, margin * std::max(levels.from, levels.to));
}

TEST(Stability, GlidesStayNearTheLevelsOfTheDesignsAtTheirEnds)
{
    // Redesigning at every sample once lifted these to between 1e2 and 1e9.
    constexpr double kMargin = 3.0;
    struct Case {
        const char* design;
        Dsp::FilterParams from;
        Dsp::FilterParams to;
        int length;
    };
    const Case cases[] = {
        {"ChebyshevILowPass8", {44100, 8, 1000, 0.01}, {44100, 8, 20, 0.01}, 256},
        {"ChebyshevILowPass8", {44100, 8, 1000, 0.01}, {44100, 8, 20, 0.01}, 2048},
        {"ChebyshevILowPass8", {44100, 8, 21000, 0.01}, {44100, 8, 20, 0.01}, 256},
        {"ChebyshevIHighPass8", {44100, 8, 20, 6}, {44100, 8, 21000, 6}, 256},
        {"ButterworthLowPass8", {44100, 8, 21000}, {44100, 8, 20}, 256},
        {"EllipticBandStop4", {44100, 2, 20, 1720, 0.01, 0}, {44100, 2, 21000, 1720, 0.01, 0}, 256},
        {"EllipticBandStop4", {44100, 4, 20, 1720, 0.01, 0}, {44100, 4, 21000, 1720, 0.01, 0}, 512},
        {"BesselBandStop4", {44100, 2, 20, 1720}, {44100, 2, 21000, 1720}, 256},
        // The lower band edge reaches its limit on the way.
        {"BesselBandStop4", {44100, 2, 400, 469.5}, {44100, 2, 100, 469.5}, 2048},
        {"BesselBandPass4", {44100, 4, 20, 100}, {44100, 4, 21000, 100}, 256},
        {"ChebyshevILowPass4FormI", {192000, 4, 22040, 0.01}, {192000, 4, 10, 0.01}, 256},
        {"ChebyshevIHighPass4FormI", {192000, 4, 10, 0.01}, {192000, 4, 22040, 0.01}, 256},
        // Through 0 dB, where the shelf's poles meet its zeros.
        {"ButterworthLowShelf2", {44100, 2, 30, -24}, {44100, 2, 30, 24}, 256},
        {"BesselLowPass4", {44100, 1, 200}, {44100, 4, 5000}, 512},
        {"ButterworthBandPass2", {48000, 2, 6000, 300}, {48000, 1, 1600, 5600}, 16},
        {"RbjLowPass", {44100, 21000, 4}, {44100, 20, 4}, 256},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(std::string(c.design) + ", case " + std::to_string(i));
        // The first parameter set of a filter is applied at once.
        const GlideLevels levels =
            MeasureGlide(FindDesign(c.design).make, c.length,
                         [&c](Dsp::Filter& filter, bool atStart) { filter.SetParams(atStart ? c.from : c.to); });
        ExpectGlideWithin(levels, kMargin);
    }
}

// Frequency and the units' 0..1 resonance control, carried into whichever parameter it
// drives: resonance and bandwidth in octaves directly, ripple directly, bandwidth in Hz
// reversed and halved (a higher resonance gives a narrower band).
void ApplySetting(Dsp::Filter& filter, double hz, double resonance)
{
    for (int i = 0; i < filter.GetNumParams(); ++i) {
        const Dsp::ParamInfo info = filter.GetParamInfo(i);
        if (info.id == Dsp::kFrequencyId)
            filter.params[i] = hz;
        if (info.id == Dsp::kResonanceId || info.id == Dsp::kBandwidthOctavesId || info.id == Dsp::kRippleId)
            filter.params[i] = info.fromNormalised(info, resonance);
        if (info.id == Dsp::kBandwidthHzId)
            filter.params[i] = info.fromNormalised(info, (1.0 - resonance) / 2.0);
    }
    filter.SetParams(filter.params);
}

TEST(Stability, EveryDesignGlidesAcrossTheAudioRangeWithinAFewTimesItsStaticLevels)
{
    // A resonance swept through the spectrum rings somewhat above the levels at either end.
    constexpr double kMargin = 4.0;
    for (const DesignEntry& entry : AllDesigns()) {
        for (double fs : {44100.0, 192000.0}) {
            for (const auto& [from, to] : {std::pair{20.0, 21000.0}, std::pair{21000.0, 20.0}}) {
                for (double resonance : {0.0, 1.0}) {
                    SCOPED_TRACE(entry.label + " at " + std::to_string(fs) + " from " + std::to_string(from) +
                                 " Hz, resonance " + std::to_string(resonance));
                    const auto make = [&] { return MakeDesigned(entry, fs); };
                    const auto apply = [&](Dsp::Filter& filter, bool atStart) {
                        ApplySetting(filter, atStart ? from : to, resonance);
                    };
                    const GlideLevels levels = MeasureGlide(make, 256, apply);
                    ExpectGlideWithin(levels, kMargin);
                }
            }
        }
    }
}

} // namespace
