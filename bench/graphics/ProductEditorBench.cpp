#include "tests/editor_sections/SectionsRig.h"

#include "graphics/IControl.h"

#include <benchmark/benchmark.h>


// The product's whole editor, windowless: what one redraw tick costs in the cases a user meets.
namespace
{
constexpr double kSineHz = 440.0;
constexpr double kSineLevel = 0.5;
// The parameter a host automates in the automation case: the input volume.
constexpr int kAutomatedParam = 0;
constexpr int kAutomationSteps = 100;
// Blocks of audio per redraw tick at 44.1 kHz, 512 frames and 25 ticks a second.
constexpr int kBlocksPerTick = 3;

void MarkAllDirty(IGraphics& graphics)
{
    for (int i = 0; i < graphics.GetControlCount(); ++i)
        graphics.GetControl(i)->SetDirty(false);
}

void FullPlugInTabRedraw(benchmark::State& state)
{
    SectionsRig rig;
    for (auto _ : state)
    {
        MarkAllDirty(*rig.graphics);
        benchmark::DoNotOptimize(rig.graphics->Tick());
    }
}
BENCHMARK(FullPlugInTabRedraw)->Unit(benchmark::kMillisecond);

void IdleTick(benchmark::State& state)
{
    SectionsRig rig;
    for (auto _ : state)
        benchmark::DoNotOptimize(rig.graphics->Tick());
}
BENCHMARK(IdleTick)->Unit(benchmark::kMicrosecond);

// The audio is rendered outside the timing; only the tick that follows it counts.
void TickWithAudio(benchmark::State& state, void (Zarvotone::*showTab)())
{
    SectionsRig rig;
    (rig.plugin().*showTab)();
    const StereoSignal sine = MakeSine(PluginRig::kBlock, kSineHz, kSineLevel);
    for (auto _ : state)
    {
        state.PauseTiming();
        for (int block = 0; block < kBlocksPerTick; ++block)
            rig.rig.Render(sine, PluginRig::kBlock);
        state.ResumeTiming();
        benchmark::DoNotOptimize(rig.graphics->Tick());
    }
}
BENCHMARK_CAPTURE(TickWithAudio, ScopeTab, &Zarvotone::ShowScopeTab)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TickWithAudio, AboutTab, &Zarvotone::ShowAboutTab)->Unit(benchmark::kMicrosecond);

void TickAfterAutomation(benchmark::State& state)
{
    SectionsRig rig;
    AEffect* effect = rig.plugin().GetEffect();
    int step = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        for (int block = 0; block < kBlocksPerTick; ++block)
            effect->setParameter(effect, kAutomatedParam,
                                 static_cast<float>(++step % kAutomationSteps) / kAutomationSteps);
        state.ResumeTiming();
        benchmark::DoNotOptimize(rig.graphics->Tick());
    }
}
BENCHMARK(TickAfterAutomation)->Unit(benchmark::kMicrosecond);
}
