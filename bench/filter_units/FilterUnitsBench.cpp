#include "dsp/units/filters/DumpExpand.h"
#include "dsp/units/filters/Eq4Band.h"
#include "dsp/units/filters/FilterType.h"
#include "dsp/units/filters/FilterUnit.h"
#include "dsp/units/filters/HqFilterUnit.h"
#include "dsp/units/filters/OutputLimiter.h"
#include "dsp/units/filters/StateVariableFilter.h"
#include "dsp/units/filters/SubBandProcessor.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

// Time per stereo frame of each unit in steady state, in blocks of 512 frames at 48 kHz.
namespace
{

constexpr int kBlock = 512;
constexpr double kRate = 48000.0;
constexpr int kAutomationStep = 64;

struct Signal
{
    Signal() : left(kBlock), right(kBlock)
    {
        uint32_t state = 1;
        for (int i = 0; i < kBlock; ++i)
        {
            state = state * 1664525u + 1013904223u;
            left[i] = static_cast<double>(state >> 8) / 16777216.0 - 0.5;
            right[i] = -left[i];
        }
    }

    std::vector<double> left;
    std::vector<double> right;
};

// Refills a working copy from the signal each block, so levels stay steady.
template <typename Process>
void RunBlocks(benchmark::State& state, Process process)
{
    const Signal signal;
    std::vector<double> left(kBlock);
    std::vector<double> right(kBlock);
    for (auto _ : state)
    {
        left = signal.left;
        right = signal.right;
        double* const io[2] = {left.data(), right.data()};
        process(io);
        benchmark::DoNotOptimize(left.data());
        benchmark::DoNotOptimize(right.data());
    }
    state.counters["per_frame"] = benchmark::Counter(static_cast<double>(state.iterations()) * kBlock,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Runs the unit until every glide has run out.
template <typename Process>
void Settle(Process process)
{
    std::vector<double> left(kBlock, 0.0);
    std::vector<double> right(kBlock, 0.0);
    double* const io[2] = {left.data(), right.data()};
    for (int i = 0; i < 16; ++i)
        process(io);
}

void FilterUnitSteady(benchmark::State& state)
{
    Wezmark::FilterUnit unit;
    unit.Prepare(kRate, kBlock);
    unit.SetCutoff(1000.0);
    unit.SetResonance(0.5);
    const auto process = [&](double* const io[2]) { unit.Process(io, kBlock); };
    Settle(process);
    RunBlocks(state, process);
}
BENCHMARK(FilterUnitSteady);

// Both slots of one type, cutoff and resonance moved every 64 frames: every design glides.
void FilterUnitAutomated(benchmark::State& state)
{
    const int type = static_cast<int>(state.range(0));
    state.SetLabel(GetFilterTypeName(type));
    Wezmark::FilterUnit unit;
    unit.Prepare(kRate, kBlock);
    unit.SelectFilterType(0, type);
    unit.SelectFilterType(1, type);
    int step = 0;
    RunBlocks(state, [&](double* const io[2]) {
        for (int start = 0; start < kBlock; start += kAutomationStep)
        {
            ++step;
            unit.SetCutoff(step % 2 == 0 ? 800.0 : 1200.0);
            unit.SetResonance(step % 2 == 0 ? 0.3 : 0.4);
            double* const slice[2] = {io[0] + start, io[1] + start};
            unit.Process(slice, kAutomationStep);
        }
    });
}
BENCHMARK(FilterUnitAutomated)->DenseRange(0, kFilterTypeCount - 1);

void StateVariableFilterSteady(benchmark::State& state)
{
    Wezmark::StateVariableFilter<Wezmark::kStateVariableLowPass, 2> filter;
    filter.SetSampleRate(kRate);
    filter.SetCutoff(1000.0);
    RunBlocks(state, [&](double* const io[2]) { filter.ProcessBlock(io, kBlock); });
}
BENCHMARK(StateVariableFilterSteady);

void EqualiserSteady(benchmark::State& state)
{
    Wezmark::Eq4Band eq;
    eq.Prepare(kRate, kBlock);
    eq.SetBassGain(0.7);
    eq.SetLowMidGain(0.4);
    eq.SetHighMidGain(0.6);
    eq.SetHighGain(0.3);
    const auto process = [&](double* const io[2]) { eq.Process(io, kBlock); };
    Settle(process);
    RunBlocks(state, process);
}
BENCHMARK(EqualiserSteady);

void SubBandProcessorSteady(benchmark::State& state)
{
    Wezmark::SubBandProcessor unit(nullptr);
    unit.Prepare(kRate, kBlock);
    unit.splitter.lowSlope = unit.splitter.highSlope = static_cast<uint32_t>(state.range(0));
    const Signal raw;
    const auto process = [&](double* const io[2]) {
        const double* const in[2] = {raw.left.data(), raw.right.data()};
        unit.Process(in, io, kBlock);
    };
    Settle(process);
    RunBlocks(state, process);
}
BENCHMARK(SubBandProcessorSteady)->DenseRange(0, 3);

void OutputSweepSteady(benchmark::State& state)
{
    Wezmark::DumpExpand sweep;
    sweep.Prepare(kRate, kBlock);
    sweep.slope = static_cast<uint32_t>(state.range(0));
    sweep.SetAmount(0.3);
    const auto process = [&](double* const io[2]) { sweep.Process(io, kBlock); };
    Settle(process);
    RunBlocks(state, process);
}
BENCHMARK(OutputSweepSteady)->DenseRange(0, 1);

void BandLimitSteady(benchmark::State& state)
{
    Wezmark::HqFilterUnit unit;
    unit.Prepare(kRate, kBlock);
    unit.SetMode(1);
    const auto process = [&](double* const io[2]) { unit.Process(io, kBlock); };
    Settle(process);
    RunBlocks(state, process);
}
BENCHMARK(BandLimitSteady);

void LimiterSteady(benchmark::State& state)
{
    OutputLimiter limiter;
    limiter.mode = static_cast<uint32_t>(state.range(0));
    limiter.makeUpOn = true;
    limiter.makeUpGain = limiter.MakeUpGainForTarget();
    RunBlocks(state, [&](double* const io[2]) { limiter.Process(io, io, kBlock); });
}
BENCHMARK(LimiterSteady)->DenseRange(1, 3);

// What a host's sample-rate change costs the filter units (every design re-designed).
void SampleRateChange(benchmark::State& state)
{
    Wezmark::FilterUnit filter;
    Wezmark::Eq4Band eq;
    Wezmark::SubBandProcessor subBand(nullptr);
    Wezmark::DumpExpand sweep;
    Wezmark::HqFilterUnit bandLimit;
    int flip = 0;
    for (auto _ : state)
    {
        const double rate = (++flip % 2 == 0) ? 44100.0 : 48000.0;
        filter.Prepare(rate, kBlock);
        filter.Reset();
        eq.Prepare(rate, kBlock);
        eq.Reset();
        subBand.Prepare(rate, kBlock);
        subBand.Reset();
        sweep.Prepare(rate, kBlock);
        sweep.Reset();
        bandLimit.Prepare(rate, kBlock);
        bandLimit.Reset();
    }
}
BENCHMARK(SampleRateChange)->Unit(benchmark::kMicrosecond);

} // namespace
