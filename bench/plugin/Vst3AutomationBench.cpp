// Automation through the VST3 process queues: program 0 at 48 kHz, 512-frame blocks, with four
// glide parameters (distortion amount, filter cutoff, panning, output volume) given no point,
// one point a block, or a point at every frame, and a fourth instance that holds them still at
// the sweeps' centre (one point in its first block). The instances run a second each in turn,
// ten times, so a machine whose speed drifts meets them alike; besides each one's realtime
// factor the figures give the automated blocks' cost over the unautomated one's, and over the
// held one's, which also runs the distortion that program 0's amount of 0 leaves out.

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

namespace
{
constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
// Ten rounds of a second each, every instance in turn.
constexpr int kRounds = 10;
constexpr int kRoundBlocks = static_cast<int>(kRate / kBlock);
constexpr std::array<int, 4> kAutomated = {kParamDistortionAmount, kParamFilterCutoff, kParamPan, kParamVolume};
// Each parameter sweeps between these on a slow sine of its own period.
constexpr double kSweepCentre = 0.5;
constexpr double kSweepDepth = 0.3;
constexpr std::array<double, 4> kSweepSeconds = {1.3, 2.1, 1.7, 2.9};

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

double SweepValue(size_t parameter, double frame)
{
    const double phase = 2.0 * std::numbers::pi * frame / (kSweepSeconds[parameter] * kRate);
    return kSweepCentre + kSweepDepth * std::sin(phase);
}

// One instance (program 0, which initialize selects) with its editor built, as in a Windows
// host where the editor exists while its window is closed, and the queues it gets, `spacing`
// frames between points (0: no points); `held` gives the points of the first block only, each
// at the sweep's centre.
struct Automated
{
    explicit Automated(int pointSpacing, bool held = false) : rig(kBlock, kRate), spacing(pointSpacing), heldStill(held)
    {
        auto* editor = new HeadlessGraphics(&rig.plugin);
        editor->SetResourceRoot(ZV_SOURCE_DIR);
        rig.plugin.BuildEditor(editor);
        if (spacing <= 0)
            return;
        for (int param : kAutomated)
            for (int offset = 0; offset < kBlock; offset += spacing)
                changes.Add(static_cast<Vst3::ParamID>(param), heldStill ? kSweepCentre : 0.0, offset);
    }

    // The points of block `block`, written in place (no allocation while timing).
    void Prepare(int block)
    {
        if (spacing <= 0 || heldStill)
            return;
        for (size_t p = 0; p < kAutomated.size(); ++p)
            for (auto& [offset, value] : changes.Queue(static_cast<Vst3::ParamID>(kAutomated[p])).points)
                value = SweepValue(p, static_cast<double>(block) * kBlock + offset);
    }

    void Run()
    {
        const double start = ThreadSeconds();
        rig.Process(spacing > 0 && !(heldStill && ran) ? &changes : nullptr);
        ran = true;
        const double elapsed = ThreadSeconds() - start;
        seconds += elapsed;
        worst = std::max(worst, elapsed);
    }

    Vst3ProcessRig rig;
    int spacing;
    bool heldStill;
    TestParameterChanges changes;
    bool ran = false;
    double seconds = 0.0;
    double worst = 0.0;
};

void BM_GlideParametersAutomated(benchmark::State& state)
{
    Automated none(0);
    Automated perBlock(kBlock);
    Automated perFrame(1);
    Automated held(kBlock, true);
    Automated* const all[] = {&none, &perBlock, &perFrame, &held};
    int blocks = 0;
    for (auto _ : state)
    {
        for (int round = 0; round < kRounds; ++round, blocks += kRoundBlocks)
            for (Automated* automated : all)
                for (int block = blocks; block < blocks + kRoundBlocks; ++block)
                {
                    automated->Prepare(block);
                    automated->Run();
                }
    }
    const double audioSeconds = blocks * kBlock / kRate;
    const std::array<std::string, 4> names = {"none", "block", "frame", "held"};
    for (size_t i = 0; i < names.size(); ++i)
    {
        state.counters["realtime_x_" + names[i]] = audioSeconds / all[i]->seconds;
        state.counters["worst_us_" + names[i]] = all[i]->worst * 1e6;
    }
    state.counters["ratio_block"] = perBlock.seconds / none.seconds;
    state.counters["ratio_frame"] = perFrame.seconds / none.seconds;
    state.counters["ratio_block_held"] = perBlock.seconds / held.seconds;
    state.counters["ratio_frame_held"] = perFrame.seconds / held.seconds;
}
}

BENCHMARK(BM_GlideParametersAutomated)->Iterations(1)->Unit(benchmark::kMillisecond);
