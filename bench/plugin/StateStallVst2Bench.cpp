// Project save and load during playback in a VST2 host: the UI thread gets and sets the bank
// chunk (or the program chunk) while a paced audio thread processes 512-frame blocks. Reports
// how long the audio thread waited for the plug-in lock, worst and median.

#include "bench/plugin/PacedStateRun.h"
#include "framework/vst2/Vst2Constants.h"
#include "plugin/Zarvotone.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace
{
constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
constexpr VstInt32 kBankChunk = 0;
constexpr VstInt32 kProgramChunk = 1;

VstIntPtr Dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                   float opt = 0.0f)
{
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void PacedChunkRoundTrips(benchmark::State& state, VstInt32 chunkIndex)
{
    auto* plugin = new Zarvotone(nullptr);
    AEffect* effect = plugin->GetEffect();
    Dispatch(effect, effOpen);
    Dispatch(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
    Dispatch(effect, effSetBlockSize, 0, kBlock);
    Dispatch(effect, effMainsChanged, 0, 1);

    std::vector<double> left(kBlock), right(kBlock), outLeft(kBlock), outRight(kBlock);
    for (int i = 0; i < kBlock; ++i)
    {
        left[i] = 0.5 * std::sin(0.031 * i);
        right[i] = 0.5 * std::sin(0.047 * i + 1.0);
    }
    double* inputs[2] = {left.data(), right.data()};
    double* outputs[2] = {outLeft.data(), outRight.data()};

    std::vector<uint8_t> saved;
    ReportPacedStateCalls(
        state, plugin->GetLock(), [&] { effect->processDoubleReplacing(effect, inputs, outputs, kBlock); },
        [&] {
            void* data = nullptr;
            const VstIntPtr size = Dispatch(effect, effGetChunk, chunkIndex, 0, &data);
            const auto* bytes = static_cast<const uint8_t*>(data);
            saved.assign(bytes, bytes + size);
            Dispatch(effect, effSetChunk, chunkIndex, static_cast<VstIntPtr>(saved.size()), saved.data());
        });
    Dispatch(effect, effClose);
}

void BM_BankSaveAndLoadDuringPlayback(benchmark::State& state)
{
    PacedChunkRoundTrips(state, kBankChunk);
}

void BM_ProgramSaveAndLoadDuringPlayback(benchmark::State& state)
{
    PacedChunkRoundTrips(state, kProgramChunk);
}
}

BENCHMARK(BM_BankSaveAndLoadDuringPlayback)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProgramSaveAndLoadDuringPlayback)->Iterations(1)->Unit(benchmark::kMillisecond);
