#include "dsp/units/filters/DumpExpand.h"
#include "dsp/units/filters/Eq4Band.h"
#include "dsp/units/filters/FilterType.h"
#include "dsp/units/filters/FilterUnit.h"
#include "dsp/units/filters/HqFilterUnit.h"
#include "dsp/units/filters/OutputLimiter.h"
#include "dsp/units/filters/SubBandProcessor.h"
#include "tests/support/StereoBuffer.h"
#include "tests/support/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

// White noise through every unit at every supported sample rate, at default and extreme
// settings, must stay finite and bounded: an unstable design shows up as a runaway. Each
// setting is first reached (glides run out on silence), then the filter memories are cleared.
namespace
{

constexpr double kRates[] = {22050.0, 32000.0, 44100.0, 96000.0, 192000.0};
constexpr int kBlock = 512;
constexpr int kBlocks = 8;
constexpr double kNoiseAmplitude = 0.25;
constexpr double kBound = 10.0;

using Process = std::function<void(double* const*, double* const*, int)>;

// Runs silence through `process` until every glide has run out, then calls `clear`.
void Settle(const Process& process, const std::function<void()>& clear)
{
    StereoBuffer silence(kBlock);
    for (int block = 0; block < kBlocks; ++block)
    {
        StereoBuffer out(kBlock);
        process(silence.Io(), out.Io(), kBlock);
    }
    clear();
}

void ExpectBounded(const std::string& what, const Process& process)
{
    const std::vector<double> left = WhiteNoise(kBlock * kBlocks, kNoiseAmplitude, 101);
    const std::vector<double> right = WhiteNoise(kBlock * kBlocks, kNoiseAmplitude, 202);
    double peak = 0.0;
    for (int block = 0; block < kBlocks; ++block)
    {
        StereoBuffer in(std::vector<double>(left.begin() + block * kBlock, left.begin() + (block + 1) * kBlock),
                        std::vector<double>(right.begin() + block * kBlock, right.begin() + (block + 1) * kBlock));
        StereoBuffer out = in;
        process(in.Io(), out.Io(), kBlock);
        for (int i = 0; i < kBlock; ++i)
        {
            if (!std::isfinite(out.left[i]) || !std::isfinite(out.right[i]))
            {
                ADD_FAILURE() << what << ": non-finite output in block " << block;
                return;
            }
            peak = std::max({peak, std::fabs(out.left[i]), std::fabs(out.right[i])});
        }
    }
    EXPECT_LT(peak, kBound) << what;
}

std::string At(double rate)
{
    return " at " + std::to_string(static_cast<int>(rate)) + " Hz";
}

} // namespace

TEST(Stability, FilterUnitEveryTypeAtExtremeCutoffAndResonance)
{
    for (double rate : kRates)
        for (int type = 0; type < kFilterTypeCount; ++type)
            for (double cutoff : {20.0, 21000.0})
                for (double resonance : {0.0, 1.0})
                {
                    Wezmark::FilterUnit unit;
                    unit.Prepare(rate, Wezmark::FilterUnit::kInitialFrames);
                    unit.SelectFilterType(0, type);
                    unit.SelectFilterType(1, type);
                    unit.SetResonance(resonance);
                    unit.SetCutoff(cutoff);
                    const Process process = [&](double* const*, double* const* io, int n) { unit.Process(io, n); };
                    Settle(process, [&] { unit.Reset(); });
                    ExpectBounded(std::string(GetFilterTypeName(type)) + ", " + std::to_string(cutoff) + " Hz, resonance " +
                                      std::to_string(resonance) + At(rate),
                                  process);
                }
}

TEST(Stability, FilterUnitAtConstructionDefaults)
{
    for (double rate : kRates)
    {
        Wezmark::FilterUnit unit;
        unit.Prepare(rate, Wezmark::FilterUnit::kInitialFrames);
        ExpectBounded("defaults" + At(rate), [&](double* const*, double* const* io, int n) { unit.Process(io, n); });
    }
}

TEST(Stability, EqualiserAtFlatAndExtremeGains)
{
    for (double rate : kRates)
        for (double gain : {0.0, 0.5, 1.0})
        {
            Wezmark::Eq4Band eq;
            eq.Prepare(rate, Wezmark::Eq4Band::kInitialFrames);
            for (auto set : {&Wezmark::Eq4Band::SetBassGain, &Wezmark::Eq4Band::SetLowMidGain,
                             &Wezmark::Eq4Band::SetHighMidGain, &Wezmark::Eq4Band::SetHighGain})
                (eq.*set)(gain);
            const Process process = [&](double* const*, double* const* io, int n) { eq.Process(io, n); };
            Settle(process, [&] { eq.Reset(); });
            ExpectBounded("gain " + std::to_string(gain) + At(rate), process);
        }
}

TEST(Stability, OutputSweepAcrossAmountAndSlope)
{
    for (double rate : kRates)
        for (uint32_t slope : {0u, 1u})
            for (double amount : {0.0, 0.5, 1.0})
            {
                Wezmark::DumpExpand sweep;
                sweep.Prepare(rate, Wezmark::DumpExpand::kInitialFrames);
                sweep.slope = slope;
                sweep.SetAmount(amount);
                const Process process = [&](double* const*, double* const* io, int n) { sweep.Process(io, n); };
                Settle(process, [&] { sweep.Reset(); });
                ExpectBounded("amount " + std::to_string(amount) + ", slope " + std::to_string(slope) + At(rate), process);
            }
}

TEST(Stability, BandLimitInEveryMode)
{
    for (double rate : kRates)
        for (uint32_t mode : {0u, 1u, 2u})
        {
            Wezmark::HqFilterUnit unit;
            unit.Prepare(rate, Wezmark::HqFilterUnit::kInitialFrames);
            unit.SetMode(mode);
            const Process process = [&](double* const*, double* const* io, int n) { unit.Process(io, n); };
            Settle(process, [&] { unit.Reset(); });
            ExpectBounded("mode " + std::to_string(mode) + At(rate), process);
        }
}

TEST(Stability, SubBandProcessorAcrossSlopesAndSplits)
{
    for (double rate : kRates)
        for (uint32_t slope = 0; slope < 4; ++slope)
            for (double split : {0.0, 1.0})
            {
                Wezmark::SubBandProcessor unit(nullptr);
                unit.Prepare(rate, Wezmark::SubBandProcessor::kInitialFrames);
                unit.splitter.lowSlope = slope;
                unit.splitter.highSlope = slope;
                unit.splitter.SetHighSplit(split);
                unit.equaliser.SetBassGain(1.0);
                const Process process = [&](double* const* in, double* const* out, int n) { unit.Process(in, out, n); };
                Settle(process, [&] { unit.Reset(); });
                ExpectBounded("slope " + std::to_string(slope) + ", split " + std::to_string(split) + At(rate), process);
            }
}

TEST(Stability, LimiterInEveryModeWithMakeUp)
{
    for (uint32_t mode = 0; mode < 4; ++mode)
        for (double threshold : {0.003981071705534, OutputLimiter::kDefaultThreshold, 1.0})
        {
            OutputLimiter limiter;
            limiter.mode = mode;
            limiter.threshold = threshold;
            limiter.smoothedThreshold = threshold;
            limiter.makeUpOn = true;
            limiter.makeUpGain = limiter.MakeUpGainForTarget();
            ExpectBounded("mode " + std::to_string(mode) + ", threshold " + std::to_string(threshold),
                          [&](double* const*, double* const* io, int n) { limiter.Process(io, io, n); });
        }
}
