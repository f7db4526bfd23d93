#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/curves/BuiltinCurves.h"
#include "dsp/units/path/DeadZoneGate.h"
#include "dsp/units/path/Distortion.h"
#include "dsp/units/path/DistortionChain.h"
#include "dsp/units/path/DynShaper.h"
#include "dsp/units/path/Oversampler.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace
{

constexpr int32_t kHostFrames = 256;
// A host block of 256 frames eight times oversampled.
constexpr int32_t kHighFrames = 8 * kHostFrames;
constexpr int kWarmUpBlocks = 1000;

const Wezmark::BuiltinCurves& Builtins()
{
    return *Wezmark::BuiltinCurves::Shared();
}

struct Signal
{
    explicit Signal(int32_t frames) : left(frames), right(frames)
    {
        for (int32_t i = 0; i < frames; ++i)
        {
            left[i] = 0.8 * std::sin(0.013 * i);
            right[i] = 0.6 * std::sin(0.021 * i + 1.0);
        }
    }

    std::vector<double> left;
    std::vector<double> right;
    double* io[2] = {left.data(), right.data()};
};

// Every stage of the chain doing work.
void Configure(DistortionChain& chain, int32_t frames)
{
    chain.distortion.Init();
    chain.Prepare(44100.0, frames);
    chain.distortion.SelectCurve(15.0 / 80.0);
    chain.distortion.amount = 0.7;
    chain.quantizer.amount = 0.5;
    chain.quantizer.bits = 32.5;
    chain.quantizer.factor = std::pow(2.0, 32.5);
    chain.reducer.ratio = 0.7;
    chain.gate.target = 0.0001;
    chain.shaper.amount = 0.5;
    chain.shaper.mode = 3;
}

// Seconds per frame (or per lookup), printed with an SI prefix: "60.5n" is 60.5 ns.
benchmark::Counter TimePerFrame(benchmark::State& state, int64_t framesPerIteration)
{
    return benchmark::Counter(static_cast<double>(framesPerIteration * state.iterations()),
                              benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void ChainAtHostRate(benchmark::State& state)
{
    DistortionChain chain(Builtins());
    Configure(chain, kHostFrames);
    Signal signal(kHostFrames);
    for (auto _ : state)
    {
        chain.BeginBlock();
        chain.Process(signal.io, kHostFrames);
        benchmark::DoNotOptimize(signal.left.data());
    }
    state.counters["time/frame"] = TimePerFrame(state, kHostFrames);
}
BENCHMARK(ChainAtHostRate);

void ChainInsideOversampler(benchmark::State& state)
{
    Oversampler oversampler;
    oversampler.Prepare(44100.0, kHostFrames);
    const int32_t highFrames = kHostFrames * static_cast<int32_t>(oversampler.factor);
    DistortionChain chain(Builtins());
    Configure(chain, highFrames);
    Signal signal(kHostFrames);
    double* up[2] = {oversampler.up.left, oversampler.up.right};
    for (auto _ : state)
    {
        oversampler.Upsample(signal.io, kHostFrames);
        chain.BeginBlock();
        chain.Process(up, highFrames);
        oversampler.Downsample(up, highFrames);
        benchmark::DoNotOptimize(oversampler.down.left);
    }
    state.counters["time/frame"] = TimePerFrame(state, kHostFrames);
}
BENCHMARK(ChainInsideOversampler);

void OversamplerUpAndDown(benchmark::State& state)
{
    Oversampler oversampler;
    oversampler.Prepare(44100.0, kHostFrames);
    const int32_t highFrames = kHostFrames * static_cast<int32_t>(oversampler.factor);
    Signal signal(kHostFrames);
    const double* up[2] = {oversampler.up.left, oversampler.up.right};
    for (auto _ : state)
    {
        oversampler.Upsample(signal.io, kHostFrames);
        oversampler.Downsample(up, highFrames);
        benchmark::DoNotOptimize(oversampler.down.left);
    }
    state.counters["time/frame"] = TimePerFrame(state, kHostFrames);
}
BENCHMARK(OversamplerUpAndDown);

// The same filters with an empty stage, the down-sampling of each piece beside the up-sampling of the next.
void OversamplerInPieces(benchmark::State& state)
{
    Oversampler oversampler;
    oversampler.Prepare(44100.0, kHostFrames);
    Signal signal(kHostFrames);
    for (auto _ : state)
    {
        oversampler.Process(signal.io, kHostFrames, [](double* const[2], int32_t) {});
        benchmark::DoNotOptimize(signal.io[0]);
    }
    state.counters["time/frame"] = TimePerFrame(state, kHostFrames);
}
BENCHMARK(OversamplerInPieces);

// Up and down again with nothing between, as the aligners and the idle stages make it.
void OversamplerRoundTrip(benchmark::State& state)
{
    Oversampler oversampler;
    oversampler.Prepare(44100.0, kHostFrames);
    Signal signal(kHostFrames);
    for (auto _ : state)
    {
        oversampler.RoundTrip(signal.io, kHostFrames);
        benchmark::DoNotOptimize(signal.io[0]);
    }
    state.counters["time/frame"] = TimePerFrame(state, kHostFrames);
}
BENCHMARK(OversamplerRoundTrip);

void CurveLookup(benchmark::State& state)
{
    DistortionCurve curve(2048);
    curve.SetPoints(Builtins().Library().slots[15].points);
    curve.interpolation = static_cast<uint32_t>(state.range(0));
    curve.BuildEffective();
    Signal signal(kHostFrames);
    for (auto _ : state)
    {
        double sum = 0.0;
        for (double x : signal.left)
            sum += curve.Lookup(x, curve.Effective());
        benchmark::DoNotOptimize(sum);
    }
    state.counters["time/lookup"] = TimePerFrame(state, kHostFrames);
}
BENCHMARK(CurveLookup)->DenseRange(0, 4);

// The block look-up that the distortion and the saturators use, per interpolation mode.
void CurveLookupBlock(benchmark::State& state)
{
    DistortionCurve curve(2048);
    curve.SetPoints(Builtins().Library().slots[15].points);
    curve.interpolation = static_cast<uint32_t>(state.range(0));
    curve.BuildEffective();
    Signal signal(kHostFrames);
    std::vector<double> out(kHostFrames);
    for (auto _ : state)
    {
        curve.LookupBlock(signal.left.data(), out.data(), kHostFrames, curve.Effective());
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["time/lookup"] = TimePerFrame(state, kHostFrames);
}
BENCHMARK(CurveLookupBlock)->DenseRange(0, 4);

// Runs `process` on a fresh copy of the signal each time, after blocks enough for the glides
// to settle, or to swing evenly where their targets keep moving.
template <class Process>
void MeasureAfterWarmUp(benchmark::State& state, Process process)
{
    const Signal source(kHighFrames);
    Signal signal(kHighFrames);
    for (int i = 0; i < kWarmUpBlocks; ++i)
        process(signal.io);
    for (auto _ : state)
    {
        std::copy(source.left.begin(), source.left.end(), signal.left.begin());
        std::copy(source.right.begin(), source.right.end(), signal.right.begin());
        process(signal.io);
        benchmark::DoNotOptimize(signal.left.data());
    }
    state.counters["time/frame"] = TimePerFrame(state, kHighFrames);
}

// A distortion unit ready for the benchmark's drive mode (blend, drive, drive and fold).
void PrepareDistortion(Wezmark::Distortion& unit, const benchmark::State& state)
{
    unit.Init();
    unit.Prepare(44100.0, kHighFrames);
    unit.SelectCurve(68.0 / 80.0);
    unit.mode = static_cast<uint32_t>(state.range(0));
}

// The distortion unit's pass over a settled block, per drive mode.
void DistortionSettled(benchmark::State& state)
{
    Wezmark::Distortion unit(Builtins());
    PrepareDistortion(unit, state);
    unit.amount = 0.8;
    MeasureAfterWarmUp(state, [&](double* const io[2]) { unit.BeginBlock(); unit.Process(io, kHighFrames); });
}
BENCHMARK(DistortionSettled)->DenseRange(0, 2);

// The same pass while the amount glides: its target swaps between two values every block.
void DistortionGliding(benchmark::State& state)
{
    Wezmark::Distortion unit(Builtins());
    PrepareDistortion(unit, state);
    MeasureAfterWarmUp(state, [&](double* const io[2]) {
        unit.amount = unit.amount == 0.8 ? 0.6 : 0.8;
        unit.BeginBlock();
        unit.Process(io, kHighFrames);
    });
}
BENCHMARK(DistortionGliding)->DenseRange(0, 2);

// The dynamic shaper over a settled block, per waveform, in the boosting and driving mode.
void ShaperSettled(benchmark::State& state)
{
    DistortionChain chain(Builtins());
    Wezmark::DynShaper& shaper = chain.shaper;
    shaper.Prepare(44100.0, kHighFrames);
    shaper.waveform = static_cast<uint32_t>(state.range(0));
    shaper.width = 0.4;
    shaper.mode = 3;
    shaper.amount = 0.5;
    MeasureAfterWarmUp(state, [&](double* const io[2]) { shaper.Process(io, kHighFrames); });
}
BENCHMARK(ShaperSettled)->DenseRange(0, 8);

// The dead-zone gate over a settled block.
void GateSettled(benchmark::State& state)
{
    DeadZoneGate gate;
    gate.target = 0.0001;
    MeasureAfterWarmUp(state, [&](double* const io[2]) { gate.Process(io, kHighFrames); });
}
BENCHMARK(GateSettled);

} // namespace
