// The whole effect per host block: 48 kHz stereo, 512-frame blocks, one core. Besides the
// time per block it reports the realtime factor (audio seconds per CPU second) and the worst
// block seen.

#include "framework/vst2/Vst2Constants.h"
#include "plugin/Zarvotone.h"
#include "tests/support/EveryUnitOversampled.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <vector>

namespace
{
constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
constexpr int kBurstBlocks = 94;  // about one second

struct Effect
{
    Effect() : plugin(new Zarvotone(nullptr))
    {
        Dispatch(effOpen);
        Dispatch(effSetSampleRate, 0, 0, static_cast<float>(kRate));
        Dispatch(effSetBlockSize, 0, kBlock);
        Dispatch(effMainsChanged, 0, 1);
    }
    ~Effect() { Dispatch(effClose); }

    void Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, float opt = 0.0f)
    {
        AEffect* effect = plugin->GetEffect();
        effect->dispatcher(effect, opcode, index, value, nullptr, opt);
    }

    void Set(int index, double value)
    {
        plugin->GetParam(index)->SetNormalized(value);
        plugin->ParamChanged(index);
    }

    Zarvotone* plugin;
};

struct Block
{
    explicit Block(double amplitude) : left(kBlock), right(kBlock), outLeft(kBlock), outRight(kBlock)
    {
        for (int i = 0; i < kBlock; ++i)
        {
            left[i] = amplitude * std::sin(0.031 * i);
            right[i] = amplitude * std::sin(0.047 * i + 1.0);
        }
    }

    void Run(Zarvotone& plugin)
    {
        double* in[2] = {left.data(), right.data()};
        double* out[2] = {outLeft.data(), outRight.data()};
        plugin.ProcessBlock(in, out, kBlock);
        benchmark::DoNotOptimize(outLeft.data());
    }

    std::vector<double> left, right, outLeft, outRight;
};

// Times every block, then reports realtime factor and worst block.
void Measure(benchmark::State& state, Effect& effect, Block& block, const std::function<void(int)>& beforeBlock)
{
    double worst = 0.0;
    int counter = 0;
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        beforeBlock(counter++);
        block.Run(*effect.plugin);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        worst = std::max(worst, elapsed.count());
    }
    const double blockSeconds = kBlock / kRate;
    state.counters["realtime_x"] =
        benchmark::Counter(blockSeconds * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["worst_block_us"] = worst * 1e6;
}

void BM_Program0(benchmark::State& state)
{
    Effect effect;
    effect.Dispatch(effSetProgram, 0, 0);
    Block block(0.5);
    Measure(state, effect, block, [](int) {});
}

void BM_EveryUnitOversampled(benchmark::State& state)
{
    Effect effect;
    SetEveryUnitOversampled(effect);
    Block block(0.5);
    Measure(state, effect, block, [](int) {});
}

void BM_EllipticAutomated(benchmark::State& state)
{
    Effect effect;
    effect.Set(kParamFilter1Type, 14.0 / 30.0);
    effect.Set(kParamFilter2Type, 15.0 / 30.0);
    Block block(0.5);
    Measure(state, effect, block, [&effect](int counter) {
        const double phase = 0.5 + 0.4 * std::sin(0.05 * counter);
        effect.Set(kParamFilterCutoff, phase);
        effect.Set(kParamFilterResonance, 1.0 - phase);
    });
}

// After a loud burst every decaying memory heads for the denormal range.
void BM_SilenceAfterBurst(benchmark::State& state)
{
    Effect effect;
    effect.Set(kParamDistortionAmount, 0.8);
    effect.Set(kParamPreFilterProcess, 1.0);
    effect.Set(kParamFilterCutoff, 0.6);
    effect.Set(kParamFilterResonance, 0.6);
    effect.Set(kParamHqFilter, 1.0);
    effect.Set(kParamOutputSweep, 0.3);
    Block loud(1.0);
    for (int i = 0; i < kBurstBlocks; ++i)
        loud.Run(*effect.plugin);
    Block silence(0.0);
    Measure(state, effect, silence, [](int) {});
}

// Ten seconds of blocks for the tail, enough iterations for the others.
constexpr int64_t kTailBlocks = static_cast<int64_t>(10 * kRate / kBlock);
}

BENCHMARK(BM_Program0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EveryUnitOversampled)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EllipticAutomated)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SilenceAfterBurst)->Unit(benchmark::kMicrosecond)->Iterations(kTailBlocks);
