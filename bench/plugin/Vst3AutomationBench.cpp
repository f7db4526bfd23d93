// Automation through the VST3 process queues: program 0 at 48 kHz, 512-frame blocks, with four
// glide parameters (distortion amount, filter cutoff, panning, output volume) given no point,
// one point a block, or a point at every frame, and an instance that holds them still at the
// sweeps' centre (one point in its first block). The instances of a case run a second each in
// turn, ten times, so a machine whose speed drifts meets them alike; besides each one's realtime
// factor and block cost the figures give the automated blocks' cost over the unautomated one's,
// and over the held one's, which also runs the distortion that program 0's amount of 0 leaves
// out. A further instance sends the held values at every frame of every block, so that nothing
// glides: the cost of the pieces themselves. A second case automates each working parameter
// alone, so that none whose points cost far more than these four goes unseen.

#include "plugin/ParamIndex.h"
#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/plugin/Vst3ProcessRig.h"
#include "tests/vst3/TestParameterChanges.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace
{
constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
// Ten rounds of a second each, every instance in turn.
constexpr int kRounds = 10;
constexpr int kRoundBlocks = static_cast<int>(kRate / kBlock);
// A parameter that sweeps between these on a slow sine of its own period.
constexpr double kSweepCentre = 0.5;
constexpr double kSweepDepth = 0.3;
struct Sweep
{
    int parameter;
    double seconds;
};
constexpr std::array<Sweep, 4> kGlideSweeps = {
    {{kParamDistortionAmount, 1.3}, {kParamFilterCutoff, 2.1}, {kParamPan, 1.7}, {kParamVolume, 2.9}}};
constexpr double kOtherSweepSeconds = 1.9;

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

double SweepValue(const Sweep& sweep, double frame)
{
    const double phase = 2.0 * std::numbers::pi * frame / (sweep.seconds * kRate);
    return kSweepCentre + kSweepDepth * std::sin(phase);
}

// What an instance's queues carry: nothing, the sweeps, the sweeps' centre in the first block
// only, or the centre in every block.
enum class Points
{
    kNone,
    kSweep,
    kHeldOnce,
    kHeldAlways,
};

// One instance (program 0, which initialize selects) with its editor built, as in a Windows
// host where the editor exists while its window is closed, and the queues it gets for the
// parameters of `sweeps`, `pointSpacing` frames between points.
struct Automated
{
    Automated(std::vector<Sweep> parameterSweeps, Points kind, int pointSpacing = kBlock)
        : rig(kBlock, kRate), sweeps(std::move(parameterSweeps)), points(kind)
    {
        auto* editor = new HeadlessGraphics(&rig.plugin);
        editor->SetResourceRoot(ZV_SOURCE_DIR);
        rig.plugin.BuildEditor(editor);
        if (points == Points::kNone)
            return;
        for (const Sweep& sweep : sweeps)
            for (int offset = 0; offset < kBlock; offset += pointSpacing)
                changes.Add(static_cast<Vst3::ParamID>(sweep.parameter), kSweepCentre, offset);
    }

    // The points of block `block`, written in place (no allocation while timing).
    void Prepare(int block)
    {
        if (points != Points::kSweep)
            return;
        for (const Sweep& sweep : sweeps)
            for (auto& [offset, value] : changes.Queue(static_cast<Vst3::ParamID>(sweep.parameter)).points)
                value = SweepValue(sweep, static_cast<double>(block) * kBlock + offset);
    }

    void Run()
    {
        const bool sends = points == Points::kSweep || points == Points::kHeldAlways ||
                           (points == Points::kHeldOnce && !ran);
        const double start = ThreadSeconds();
        rig.Process(sends ? &changes : nullptr);
        ran = true;
        const double elapsed = ThreadSeconds() - start;
        seconds += elapsed;
        worst = std::max(worst, elapsed);
    }

    Vst3ProcessRig rig;
    std::vector<Sweep> sweeps;
    Points points;
    TestParameterChanges changes;
    bool ran = false;
    double seconds = 0.0;
    double worst = 0.0;
};

struct Named
{
    std::string name;
    Automated* instance;
};

// Runs the instances in turn for kRounds rounds and reports each one's figures; `none` and
// `held` are the references of the ratios of the rest.
void RunInTurn(benchmark::State& state, const std::vector<Named>& instances, const Automated& none,
               const Automated& held)
{
    int blocks = 0;
    for (auto _ : state)
    {
        for (int round = 0; round < kRounds; ++round, blocks += kRoundBlocks)
            for (const Named& named : instances)
                for (int block = blocks; block < blocks + kRoundBlocks; ++block)
                {
                    named.instance->Prepare(block);
                    named.instance->Run();
                }
    }
    const double audioSeconds = blocks * kBlock / kRate;
    for (const auto& [name, instance] : instances)
    {
        state.counters["realtime_x_" + name] = audioSeconds / instance->seconds;
        state.counters["block_us_" + name] = instance->seconds / blocks * 1e6;
        state.counters["worst_us_" + name] = instance->worst * 1e6;
        if (instance == &none || instance == &held)
            continue;
        state.counters["ratio_" + name] = instance->seconds / none.seconds;
        state.counters["ratio_" + name + "_held"] = instance->seconds / held.seconds;
    }
}

void BM_GlideParametersAutomated(benchmark::State& state)
{
    const std::vector<Sweep> all(kGlideSweeps.begin(), kGlideSweeps.end());
    Automated none(all, Points::kNone);
    Automated perBlock(all, Points::kSweep);
    Automated perFrame(all, Points::kSweep, 1);
    Automated held(all, Points::kHeldOnce);
    Automated flat(all, Points::kHeldAlways, 1);
    RunInTurn(state, {{"none", &none}, {"block", &perBlock}, {"frame", &perFrame}, {"held", &held}, {"flat", &flat}},
              none, held);
}

// The parameter with the index state.range(0) alone (the four above on their own periods, the
// rest on kOtherSweepSeconds); held is that parameter held still. The held and the swept
// instances differ in more than their points where the parameter's values cost differently
// (the oversampling factor, a unit switched on).
void BM_OneParameterAutomated(benchmark::State& state)
{
    const int parameter = static_cast<int>(state.range(0));
    Sweep sweep{parameter, kOtherSweepSeconds};
    for (const Sweep& glide : kGlideSweeps)
        if (glide.parameter == parameter)
            sweep = glide;
    const std::vector<Sweep> one = {sweep};
    Automated none(one, Points::kNone);
    Automated perBlock(one, Points::kSweep);
    Automated perFrame(one, Points::kSweep, 1);
    Automated held(one, Points::kHeldOnce);
    RunInTurn(state, {{"none", &none}, {"block", &perBlock}, {"frame", &perFrame}, {"held", &held}}, none, held);
}
}

BENCHMARK(BM_GlideParametersAutomated)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneParameterAutomated)
    ->DenseRange(0, kWorkingParamCount - 1)
    ->ArgName("parameter")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
