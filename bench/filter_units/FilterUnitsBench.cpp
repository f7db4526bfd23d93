#include "dsp/units/filters/BandSplitFilter.h"
#include "dsp/units/filters/DumpExpand.h"
#include "dsp/units/filters/Eq4Band.h"
#include "dsp/units/filters/FilterType.h"
#include "dsp/units/filters/FilterUnit.h"
#include "dsp/units/filters/HqFilterUnit.h"
#include "dsp/units/filters/OutputLimiter.h"
#include "dsp/units/filters/StateVariableFilter.h"
#include "dsp/units/filters/SubBandProcessor.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

// Time per stereo frame of each unit in steady state, in blocks of 512 frames at 48 kHz.
namespace
{

constexpr int kBlock = 512;
constexpr double kRate = 48000.0;
constexpr int kAutomationStep = 64;
// The automation curve's own pace: slow beside the glides, so every point moves a little.
constexpr double kCurveHz = 2.0;

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

// One period of a slow automation curve through 0.2..0.8, mapped to a unit's values up front
// so that the timing holds only what the unit does with them.
template <typename Map>
std::vector<double> CurveValues(Map map)
{
    std::vector<double> values(static_cast<size_t>(kRate / kCurveHz));
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = map(0.5 + 0.3 * std::sin(2.0 * 3.141592653589793 * static_cast<double>(i) / values.size()));
    return values;
}

// A parameter curve with range(0) points in each block, the block run in pieces of range(1)
// frames and the points due in a piece applied before it, as a host's queue reaches a unit;
// 0 points is the unautomated block. A dense curve should cost about what a sparse one does.
template <typename Apply, typename Process>
void RunCurve(benchmark::State& state, const std::vector<double>& curve, Apply apply, Process process)
{
    const int points = static_cast<int>(state.range(0));
    const int piece = static_cast<int>(state.range(1));
    const int spacing = points > 0 ? kBlock / points : 0;
    size_t frame = 0;
    RunBlocks(state, [&](double* const io[2]) {
        for (int start = 0; start < kBlock; start += piece)
        {
            for (int i = start; spacing > 0 && i < start + piece; ++i)
                if (i % spacing == 0)
                    apply(curve[(frame + static_cast<size_t>(i)) % curve.size()]);
            double* const slice[2] = {io[0] + start, io[1] + start};
            process(slice, piece);
        }
        frame += kBlock;
    });
}

void CurveArguments(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"points", "piece"});
    for (const auto& [points, piece] : {std::pair{0, kBlock}, {1, kBlock}, {kBlock, 1}, {1, 32}, {kBlock, 32}})
        b->Args({points, piece});
}

// Cutoff from the 0..1 curve over 10 Hz to 22 kHz, both filters heard.
void FilterUnitCutoffCurve(benchmark::State& state)
{
    Wezmark::FilterUnit unit;
    unit.Prepare(kRate, kBlock);
    unit.SetCutoff(1000.0);
    unit.SetBalance(0.5);
    const auto process = [&](double* const io[2], int32_t n) { unit.Process(io, n); };
    Settle([&](double* const io[2]) { process(io, kBlock); });
    const std::vector<double> curve = CurveValues([](double v) { return 10.0 * std::pow(2204.0, v); });
    RunCurve(state, curve, [&](double hz) { unit.SetCutoff(hz); }, process);
}
BENCHMARK(FilterUnitCutoffCurve)->Apply(CurveArguments);

void FilterUnitResonanceCurve(benchmark::State& state)
{
    Wezmark::FilterUnit unit;
    unit.Prepare(kRate, kBlock);
    unit.SetCutoff(1000.0);
    unit.SetBalance(0.5);
    const auto process = [&](double* const io[2], int32_t n) { unit.Process(io, n); };
    Settle([&](double* const io[2]) { process(io, kBlock); });
    RunCurve(state, CurveValues([](double v) { return v; }), [&](double r) { unit.SetResonance(r); }, process);
}
BENCHMARK(FilterUnitResonanceCurve)->Apply(CurveArguments);

// Both splits linked, order 4 on either side.
void BandSplitCurve(benchmark::State& state)
{
    Wezmark::BandSplitFilter splitter;
    splitter.Prepare(kRate, kBlock);
    splitter.lowSlope = splitter.highSlope = 2;
    const auto process = [&](double* const io[2], int32_t n) {
        const double* const in[2] = {io[0], io[1]};
        splitter.Process(in, in, n);
    };
    Settle([&](double* const io[2]) { process(io, kBlock); });
    RunCurve(state, CurveValues([](double v) { return v; }), [&](double v) { splitter.SetHighSplit(v); }, process);
}
BENCHMARK(BandSplitCurve)->Apply(CurveArguments);

void EqualiserGainCurve(benchmark::State& state)
{
    Wezmark::Eq4Band eq;
    eq.Prepare(kRate, kBlock);
    const auto process = [&](double* const io[2], int32_t n) { eq.Process(io, n); };
    Settle([&](double* const io[2]) { process(io, kBlock); });
    RunCurve(state, CurveValues([](double v) { return v; }), [&](double v) { eq.SetLowMidGain(v); }, process);
}
BENCHMARK(EqualiserGainCurve)->Apply(CurveArguments);

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
