// Cost of the filter designs: ns per stereo frame in steady state and while gliding, and the
// cost of one SetParams.
#include "tests/dsp_filters/DesignCatalogue.h"

#include "dsp/filters/ParamInfo.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kBlock = 256;
constexpr int kGlideLength = 256;

// A work block refilled from a fixed input before each run, so that the values stay normal
// and the filter's work stays the same from block to block.
struct StereoBlock {
    std::vector<double> input = std::vector<double>(kBlock);
    std::vector<double> left = std::vector<double>(kBlock);
    std::vector<double> right = std::vector<double>(kBlock);
    double* channels[2] = {left.data(), right.data()};

    StereoBlock()
    {
        for (int n = 0; n < kBlock; ++n)
            input[n] = ((n * 7) % 23) / 23.0 - 0.5;
    }

    void Refill()
    {
        std::copy(input.begin(), input.end(), left.begin());
        std::copy(input.rbegin(), input.rend(), right.begin());
    }
};

void SetPerFrameCounter(benchmark::State& state, int framesPerIteration)
{
    state.counters["per_frame"] = benchmark::Counter(static_cast<double>(state.iterations()) * framesPerIteration,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The parameter changes of one automated block: each takes the value of its id.
struct Change {
    int id;
    double first;
    double second;
};

void Steady(benchmark::State& state, const DesignEntry& entry)
{
    auto filter = MakeDesigned(entry, 44100);
    StereoBlock block;
    for (auto _ : state) {
        block.Refill();
        filter->ProcessDouble(kBlock, block.channels);
        benchmark::DoNotOptimize(block.left.data());
    }
    SetPerFrameCounter(state, kBlock);
}

// Every block applies new values, so every frame runs the transition design.
void Gliding(benchmark::State& state, const DesignEntry& entry, std::vector<Change> changes)
{
    auto filter = MakeDesigned(entry, 44100);
    filter->SetTransitionLength(kGlideLength);
    StereoBlock block;
    int count = 0;
    for (auto _ : state) {
        block.Refill();
        for (const Change& change : changes) {
            const int index = FindParam(*filter, change.id);
            if (index >= 0)
                filter->params[index] = count % 2 == 0 ? change.first : change.second;
        }
        filter->SetParams(filter->params);
        filter->ProcessDouble(kBlock, block.channels);
        benchmark::DoNotOptimize(block.left.data());
        ++count;
    }
    SetPerFrameCounter(state, kBlock);
}

void SetParamsCost(benchmark::State& state, const DesignEntry& entry, int id, double first, double second)
{
    auto filter = MakeDesigned(entry, 44100);
    const int index = FindParam(*filter, id);
    int count = 0;
    for (auto _ : state) {
        filter->params[index] = count++ % 2 == 0 ? first : second;
        filter->SetParams(filter->params);
        benchmark::DoNotOptimize(filter->params.data());
    }
}

// The product's worst case: two elliptic filter slots whose cutoff and resonance (the ripple)
// are automated every block.
void TwoEllipticSlotsAutomated(benchmark::State& state)
{
    const DesignEntry* elliptic = nullptr;
    for (const DesignEntry& entry : AllDesigns()) {
        if (entry.label == "EllipticLowPass4")
            elliptic = &entry;
    }
    auto first = MakeDesigned(*elliptic, 44100);
    auto second = MakeDesigned(*elliptic, 44100);
    for (Dsp::Filter* slot : {first.get(), second.get()}) {
        slot->SetTransitionLength(kGlideLength);
        SetParam(*slot, Dsp::kOrderId, 2.0);
    }
    StereoBlock block;
    int count = 0;
    for (auto _ : state) {
        block.Refill();
        for (Dsp::Filter* slot : {first.get(), second.get()}) {
            SetParam(*slot, Dsp::kFrequencyId, count % 2 == 0 ? 1000.0 : 1100.0);
            SetParam(*slot, Dsp::kRippleId, count % 2 == 0 ? 1.0 : 1.2);
            slot->ProcessDouble(kBlock, block.channels);
        }
        benchmark::DoNotOptimize(block.left.data());
        ++count;
    }
    SetPerFrameCounter(state, kBlock);
}

const std::vector<Change> kCutoff = {{Dsp::kFrequencyId, 1000.0, 4000.0}};
const std::vector<Change> kRipple = {{Dsp::kRippleId, 0.5, 3.0}};
// Every parameter of any family moves; the order within its range, where it holds 4.
const std::vector<Change> kWholeDesign = {
    {Dsp::kSampleRateId, 44100.0, 48000.0}, {Dsp::kFrequencyId, 1000.0, 4000.0},
    {Dsp::kOrderId, 3.0, 4.0},              {Dsp::kBandwidthHzId, 500.0, 2000.0},
    {Dsp::kRippleId, 0.5, 3.0},             {Dsp::kTransitionWidthId, -1.0, 1.0},
    {Dsp::kGainId, -6.0, 6.0},              {Dsp::kResonanceId, 0.7, 2.0},
    {Dsp::kBandwidthOctavesId, 0.7, 2.0},
};

bool HasParam(const DesignEntry& entry, int id)
{
    return FindParam(*entry.make(), id) >= 0;
}

const bool kRegistered = [] {
    for (const DesignEntry& entry : AllDesigns()) {
        benchmark::RegisterBenchmark(("Steady/" + entry.label).c_str(), Steady, entry);
        benchmark::RegisterBenchmark(("CutoffGlide/" + entry.label).c_str(), Gliding, entry, kCutoff);
        if (HasParam(entry, Dsp::kRippleId))
            benchmark::RegisterBenchmark(("RippleGlide/" + entry.label).c_str(), Gliding, entry, kRipple);
        benchmark::RegisterBenchmark(("WholeDesignGlide/" + entry.label).c_str(), Gliding, entry, kWholeDesign);
        benchmark::RegisterBenchmark(("SetParamsCutoff/" + entry.label).c_str(), SetParamsCost, entry,
                                     Dsp::kFrequencyId, 1000.0, 4000.0);
        if (HasParam(entry, Dsp::kRippleId)) {
            benchmark::RegisterBenchmark(("SetParamsRipple/" + entry.label).c_str(), SetParamsCost, entry,
                                         Dsp::kRippleId, 0.5, 3.0);
        }
    }
    benchmark::RegisterBenchmark("TwoEllipticSlotsAutomated", TwoEllipticSlotsAutomated);
    return true;
}();

} // namespace
