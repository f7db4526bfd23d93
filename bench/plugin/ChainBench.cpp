// The whole effect per host block: 48 kHz stereo, 512-frame blocks, one core. Besides the
// time per block it reports the realtime factor (audio seconds per CPU second) and the worst
// block seen.

#include "framework/vst2/Vst2Constants.h"
#include "plugin/FactoryBank.h"
#include "plugin/Zarvotone.h"
#include "tests/support/EveryUnitOversampled.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <ctime>
#include <functional>
#include <memory>
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

void BM_Program0Oversampled(benchmark::State& state)
{
    Effect effect;
    effect.Dispatch(effSetProgram, 0, 0);
    effect.Set(kParamOversampling, 1.0);
    Block block(0.5);
    Measure(state, effect, block, [](int) {});
}

// Half bypassed and half dry: the dry and the bypassed signal make their round trips too.
void BM_Program0OversampledHalfBypassedHalfDry(benchmark::State& state)
{
    Effect effect;
    effect.Dispatch(effSetProgram, 0, 0);
    effect.Set(kParamOversampling, 1.0);
    effect.Set(kParamBypassAll, 0.5);
    effect.Set(kParamDryWet, 0.5);
    Block block(0.5);
    Measure(state, effect, block, [](int) {});
}

// The first block of a freshly prepared instance, which should cost what any other block does.
void BM_FirstBlock(benchmark::State& state)
{
    Block block(0.5);
    for (auto _ : state)
    {
        Effect effect;
        effect.Dispatch(effSetProgram, 0, 0);
        const auto start = std::chrono::steady_clock::now();
        block.Run(*effect.plugin);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
    }
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

// CPU time of this thread, which a busy machine's preemptions do not inflate.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Every factory program in turn, each on an instance of its own that has played long enough for
// the program change to settle: the median and the slowest program's realtime factor.
void BM_FactoryPrograms(benchmark::State& state)
{
    constexpr int kSettleBlocks = 100;
    constexpr int kTimedBlocks = 20;
    const int programCount = static_cast<int>(CreateFactoryPrograms().size());
    std::vector<std::unique_ptr<Effect>> effects;
    for (int program = 0; program < programCount; ++program)
    {
        effects.push_back(std::make_unique<Effect>());
        effects.back()->Dispatch(effSetProgram, 0, program);
    }
    Block block(0.5);
    for (auto& effect : effects)
        for (int i = 0; i < kSettleBlocks; ++i)
            block.Run(*effect->plugin);
    std::vector<double> seconds(effects.size());
    for (auto _ : state)
    {
        for (size_t p = 0; p < effects.size(); ++p)
        {
            const double start = ThreadSeconds();
            for (int i = 0; i < kTimedBlocks; ++i)
                block.Run(*effects[p]->plugin);
            seconds[p] += ThreadSeconds() - start;
        }
    }
    const double audioSeconds = static_cast<double>(state.iterations()) * kTimedBlocks * kBlock / kRate;
    std::vector<double> factors;
    for (double s : seconds)
        factors.push_back(audioSeconds / s);
    const auto slowest = std::min_element(factors.begin(), factors.end());
    state.counters["slowest_program"] = static_cast<double>(slowest - factors.begin());
    state.counters["slowest_x"] = *slowest;
    std::nth_element(factors.begin(), factors.begin() + programCount / 2, factors.end());
    state.counters["median_x"] = factors[static_cast<size_t>(programCount / 2)];
}

// A unit that sat out comes back in, or a program changes: the slowest block of the 100 ms
// after it (150 ms for a program change, whose new program fades in after its settling) against
// a steady block, through the VST2 entry at 512 or 64 frames. Every block's thread CPU time
// is set against what a steady block of the settings it plays costs: the block that holds a
// program change's quiet point plays the old program up to it and the new one after it, and
// after a change of settings the steady block is one of the new settings.
// The parameter calls that start a change run on this thread too, timed on their own.
enum class Change
{
    kEqualisersLeaveFlat,
    kBalanceLeavesAnEnd,
    kProgram0And13,
};

struct ChangeRig
{
    explicit ChangeRig(int blockFrames) : frames(blockFrames), in(2, std::vector<double>(blockFrames)), out(in)
    {
        effect.Dispatch(effSetBlockSize, 0, blockFrames);
        effect.Dispatch(effMainsChanged, 0, 0);
        effect.Dispatch(effMainsChanged, 0, 1);
    }

    // Thread CPU seconds of one block of a steady two-tone signal.
    double RunBlock()
    {
        for (int i = 0; i < frames; ++i, ++position)
        {
            in[0][i] = 0.5 * std::sin(0.031 * position);
            in[1][i] = 0.5 * std::sin(0.047 * position + 1.0);
        }
        double* inputs[2] = {in[0].data(), in[1].data()};
        double* outputs[2] = {out[0].data(), out[1].data()};
        AEffect* vst = effect.plugin->GetEffect();
        const double start = ThreadSeconds();
        vst->processDoubleReplacing(vst, inputs, outputs, frames);
        const double seconds = ThreadSeconds() - start;
        benchmark::DoNotOptimize(out[0].data());
        return seconds;
    }

    int Blocks(double seconds) const { return static_cast<int>(std::ceil(seconds * kRate / frames)); }

    void Run(double seconds)
    {
        for (int i = Blocks(seconds); i > 0; --i)
            RunBlock();
    }

    // The median block of 100 ms, after a second to settle.
    double SteadyBlock()
    {
        Run(1.0);
        std::vector<double> blocks(static_cast<size_t>(Blocks(0.1)));
        for (double& block : blocks)
            block = RunBlock();
        std::nth_element(blocks.begin(), blocks.begin() + blocks.size() / 2, blocks.end());
        return blocks[blocks.size() / 2];
    }

    // Parameter calls as a host makes them, timed.
    template <class Indexes>
    double SetAll(const Indexes& indexes, double value)
    {
        const double start = ThreadSeconds();
        for (int index : indexes)
            effect.plugin->GetEffect()->setParameter(effect.plugin->GetEffect(), index, static_cast<float>(value));
        return ThreadSeconds() - start;
    }

    Effect effect;
    int frames;
    int64_t position = 0;
    std::vector<std::vector<double>> in;
    std::vector<std::vector<double>> out;
};

constexpr std::array<int, 8> kEqualiserGains = {
    kParamDistoEqBass,    kParamDistoEqLowMid, kParamDistoEqHighMid,   kParamDistoEqHigh,
    kParamSubBandEqBass, kParamSubBandEqMid,  kParamSubBandEqHighMid, kParamSubBandEqHigh,
};

void BM_SlowestBlockAfterChange(benchmark::State& state)
{
    const auto change = static_cast<Change>(state.range(0));
    ChangeRig rig(static_cast<int>(state.range(1)));
    constexpr int kFadeOutFrames = static_cast<int>(0.01 * kRate);
    // Program 0 plays both equalisers flat and its balance on filter 1 alone.
    rig.effect.Dispatch(effSetProgram, 0, 0);
    rig.SetAll(std::array{kParamSubBandOn}, 1.0);
    const auto makeChange = [&](int program) {
        switch (change)
        {
        case Change::kEqualisersLeaveFlat:
            return rig.SetAll(kEqualiserGains, 0.75);
        case Change::kBalanceLeavesAnEnd:
            return rig.SetAll(std::array{kParamFilterBalance}, 0.5);
        case Change::kProgram0And13:
            rig.effect.Dispatch(effSetProgram, 0, 13 - program);
            break;
        }
        return 0.0;
    };
    // A program change is undone by the next one.
    const auto undoChange = [&] {
        if (change == Change::kEqualisersLeaveFlat)
            rig.SetAll(kEqualiserGains, 0.5);
        else if (change == Change::kBalanceLeavesAnEnd)
            rig.SetAll(std::array{kParamFilterBalance}, 0.0);
        else
            rig.effect.Dispatch(effSetProgram, 0, 0);
    };
    // Programs 0 and 13, or the settings before the change and after it.
    double steady[2] = {rig.SteadyBlock(), 0.0};
    makeChange(0);
    steady[1] = rig.SteadyBlock();
    undoChange();
    rig.Run(1.0);
    std::vector<double> ratios;
    double slowestCall = 0.0;
    int program = 0;
    for (auto _ : state)
    {
        const int next = change == Change::kProgram0And13 ? 13 - program : 1;
        slowestCall = std::max(slowestCall, makeChange(program));
        const double seconds = change == Change::kProgram0And13 ? 0.15 : 0.1;
        double worst = 0.0;
        for (int b = 0, frame = 0; b < rig.Blocks(seconds); ++b, frame += rig.frames)
        {
            // Only a program change plays the old settings on, while it fades out.
            const int oldFrames = change == Change::kProgram0And13 ? std::clamp(kFadeOutFrames - frame, 0, rig.frames) : 0;
            const double expected = (oldFrames * steady[program != 0] + (rig.frames - oldFrames) * steady[next != 0]) /
                                    rig.frames;
            worst = std::max(worst, rig.RunBlock() / expected);
        }
        ratios.push_back(worst);
        state.PauseTiming();
        if (change == Change::kProgram0And13)
            program = next;
        else
            undoChange();
        rig.Run(0.3);
        state.ResumeTiming();
    }
    std::nth_element(ratios.begin(), ratios.begin() + ratios.size() / 2, ratios.end());
    state.counters["steady_block_us"] = steady[0] * 1e6;
    state.counters["steady_block_after_us"] = steady[1] * 1e6;
    state.counters["slowest_block_x_median"] = ratios[ratios.size() / 2];
    state.counters["slowest_block_x_worst"] = *std::max_element(ratios.begin(), ratios.end());
    state.counters["slowest_parameter_calls_us"] = slowestCall * 1e6;
}

// Ten seconds of blocks for the tail, enough iterations for the others.
constexpr int64_t kTailBlocks = static_cast<int64_t>(10 * kRate / kBlock);
}

BENCHMARK(BM_Program0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Program0Oversampled)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Program0OversampledHalfBypassedHalfDry)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstBlock)->Unit(benchmark::kMicrosecond)->UseManualTime()->Iterations(50);
BENCHMARK(BM_EveryUnitOversampled)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EllipticAutomated)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FactoryPrograms)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlowestBlockAfterChange)
    ->ArgsProduct({{static_cast<int>(Change::kEqualisersLeaveFlat), static_cast<int>(Change::kBalanceLeavesAnEnd),
                    static_cast<int>(Change::kProgram0And13)},
                   {512, 64}})
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SilenceAfterBurst)->Unit(benchmark::kMicrosecond)->Iterations(kTailBlocks);
