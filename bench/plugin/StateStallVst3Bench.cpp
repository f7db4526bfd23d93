// Project save and load during playback in a VST3 host: the UI thread calls getState and
// setState, or chooses programs through the program parameter, while a paced audio thread runs
// 512-frame process calls. Reports how long the audio thread waited for the plug-in lock,
// worst and median.

#include "bench/plugin/PacedStateRun.h"
#include "tests/plugin/Vst3ProcessRig.h"
#include "tests/vst3/TestStream.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
constexpr int kPrograms = 128;

void BM_StateSaveAndLoadDuringPlayback(benchmark::State& state)
{
    Vst3ProcessRig rig(kBlock, kRate);
    ReportPacedStateCalls(state, rig.plugin.GetLock(), [&] { rig.Process(); },
                          [&] {
                              TestStream saved;
                              rig.plugin.getState(&saved);
                              saved.position = 0;
                              rig.plugin.setState(&saved);
                          });
}

// The host's program choice reaches the controller, which loads the preset itself.
void BM_ProgramChoiceDuringPlayback(benchmark::State& state)
{
    Vst3ProcessRig rig(kBlock, kRate);
    int program = 0;
    ReportPacedStateCalls(state, rig.plugin.GetLock(), [&] { rig.Process(); },
                          [&] {
                              program = (program + 1) % kPrograms;
                              rig.plugin.setParamNormalized(IEffectVST3::kProgramParamId,
                                                            static_cast<double>(program) / kPrograms);
                          });
}
}

BENCHMARK(BM_StateSaveAndLoadDuringPlayback)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgramChoiceDuringPlayback)->Iterations(1)->Unit(benchmark::kMillisecond);
