// Measures every ordered pair of factory programs changed during playback, as a host hears it
// at the VST2 entry: a 100 Hz sine at 0 and -12 dBFS, 48 kHz, 512-frame blocks, program A
// settled for about a second, then program B selected at a block boundary and half a second
// more rendered. For each level it prints the worst rises above the louder settled level, how
// many pairs rise more than 1 dB, the largest sample step against the settled signal's own, and
// the deepest and longest gap. Run the Release build: usage `program_pairs [threads [stride]]`,
// a stride above 1 taking only every stride-th pair, for a quicker look; or `program_pairs
// --trace FROM TO LEVEL` for the course of one change; or `program_pairs --pairs FROM TO
// [FROM TO ...]` for the figures of a few pairs.

#include "framework/vst2/Vst2Constants.h"
#include "tests/plugin/PluginRig.h"
#include "tests/support/Decibels.h"
#include "tests/support/TestSignals.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

namespace
{
constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
constexpr int kProgramCount = 128;
constexpr int kChangeAt = 94 * kBlock;
constexpr int kFrames = kChangeAt + 48 * kBlock;
constexpr int kSettledSpan = 9600;
constexpr double kToneHz = 100.0;
// One period of the tone on either side of a frame: its peak there.
constexpr int kEnvelopeHalfSpan = 240;
// A frame lies in a gap where the output's peak around it is below half the quieter settled level.
constexpr double kGapRatio = 0.5;
// Settled levels below this (-80 dBFS) count as silence: a gap in them means nothing.
constexpr double kAudible = 1e-4;
constexpr double kFloorDb = -120.0;
constexpr double kRiseLimitDb = 1.0;
// A step larger than this many times the settled signals' largest counts as a click.
constexpr double kStepLimit = 1.5;
constexpr int kWorstShown = 12;

struct PairResult
{
    int from = 0;
    int to = 0;
    double riseDb = 0.0;
    double stepRatio = 0.0;
    double gapDepthDb = 0.0;
    int gapFrames = 0;
};

double Peak(const Signal& s, int from, int to)
{
    double peak = 0.0;
    for (int i = std::max(from, 0); i < std::min(to, static_cast<int>(s.size())); ++i)
        peak = std::max(peak, std::fabs(s[static_cast<size_t>(i)]));
    return peak;
}

double LargestStep(const Signal& s, int from, int to)
{
    double largest = 0.0;
    for (int i = from + 1; i < to; ++i)
        largest = std::max(largest, std::fabs(s[static_cast<size_t>(i)] - s[static_cast<size_t>(i - 1)]));
    return largest;
}

double FloorDecibels(double ratio)
{
    return ratio > 0.0 ? std::max(Decibels(ratio), kFloorDb) : kFloorDb;
}

// The parameters that differ between two programs, with the values of each.
void PrintDifferences(int from, int to)
{
    PluginRig rig(kBlock, nullptr, kRate);
    rig.Dispatch(effSetProgram, 0, from);
    std::vector<double> before;
    for (int i = 0; i < kWorkingParamCount; ++i)
        before.push_back(rig.plugin.GetParam(i)->Value());
    rig.Dispatch(effSetProgram, 0, to);
    for (int i = 0; i < kWorkingParamCount; ++i)
        if (rig.plugin.GetParam(i)->Value() != before[static_cast<size_t>(i)])
            std::printf("%-40s %.4f -> %.4f\n", rig.plugin.GetParam(i)->Name(), before[static_cast<size_t>(i)],
                        rig.plugin.GetParam(i)->Value());
}

Signal RenderPair(int from, int to, const Signal& input)
{
    PluginRig rig(kBlock, nullptr, kRate);
    rig.Dispatch(effSetProgram, 0, from);
    Signal out(input.size());
    Signal right(input.size());
    AEffect* effect = rig.plugin.GetEffect();
    for (int offset = 0; offset < kFrames; offset += kBlock)
    {
        if (offset == kChangeAt)
            rig.Dispatch(effSetProgram, 0, to);
        double* in[2] = {const_cast<double*>(input.data()) + offset, const_cast<double*>(input.data()) + offset};
        double* o[2] = {out.data() + offset, right.data() + offset};
        effect->processDoubleReplacing(effect, in, o, std::min(kBlock, kFrames - offset));
    }
    return out;
}

PairResult Measure(int from, int to, const Signal& input)
{
    const Signal out = RenderPair(from, to, input);
    PairResult r;
    r.from = from;
    r.to = to;
    const double before = Peak(out, kChangeAt - kSettledSpan, kChangeAt);
    const double after = Peak(out, kFrames - kSettledSpan, kFrames);
    r.riseDb = FloorDecibels(Peak(out, kChangeAt, kFrames)) - FloorDecibels(std::max(before, after));
    const double settledStep = std::max(LargestStep(out, kChangeAt - kSettledSpan, kChangeAt),
                                        LargestStep(out, kFrames - kSettledSpan, kFrames));
    r.stepRatio = settledStep > 0.0 ? LargestStep(out, kChangeAt - 1, kFrames) / settledStep : 0.0;

    const double quieter = std::min(before, after);
    if (quieter < kAudible)
        return r;
    double deepest = 1.0;
    int run = 0;
    for (int i = kChangeAt; i < kFrames - kSettledSpan; ++i)
    {
        const double around = Peak(out, i - kEnvelopeHalfSpan, i + kEnvelopeHalfSpan) / quieter;
        deepest = std::min(deepest, around);
        run = around < kGapRatio ? run + 1 : 0;
        r.gapFrames = std::max(r.gapFrames, run);
    }
    r.gapDepthDb = FloorDecibels(deepest);
    return r;
}

void Report(const char* title, std::vector<PairResult> results)
{
    std::printf("== %s: %zu ordered pairs\n", title, results.size());
    std::sort(results.begin(), results.end(),
              [](const PairResult& a, const PairResult& b) { return a.riseDb > b.riseDb; });
    const auto above = std::count_if(results.begin(), results.end(),
                                     [](const PairResult& r) { return r.riseDb > kRiseLimitDb; });
    std::printf("pairs rising more than %.0f dB: %td\n", kRiseLimitDb, above);
    std::printf("worst rises:\n");
    for (int k = 0; k < kWorstShown && k < static_cast<int>(results.size()); ++k)
        std::printf("  %3d -> %3d  %+.2f dB\n", results[static_cast<size_t>(k)].from,
                    results[static_cast<size_t>(k)].to, results[static_cast<size_t>(k)].riseDb);
    const auto step = std::max_element(results.begin(), results.end(), [](const PairResult& a, const PairResult& b) {
        return a.stepRatio < b.stepRatio;
    });
    const auto overStep = std::count_if(results.begin(), results.end(),
                                        [](const PairResult& r) { return r.stepRatio > kStepLimit; });
    std::printf("largest step: %.2fx the settled one (%d -> %d); pairs above %.1fx: %td\n", step->stepRatio,
                step->from, step->to, kStepLimit, overStep);
    std::sort(results.begin(), results.end(),
              [](const PairResult& a, const PairResult& b) { return a.stepRatio > b.stepRatio; });
    for (int k = 0; k < kWorstShown && k < overStep; ++k)
        std::printf("  %3d -> %3d  %.2fx\n", results[static_cast<size_t>(k)].from, results[static_cast<size_t>(k)].to,
                    results[static_cast<size_t>(k)].stepRatio);
    const auto deep = std::min_element(results.begin(), results.end(), [](const PairResult& a, const PairResult& b) {
        return a.gapDepthDb < b.gapDepthDb;
    });
    const auto longest = std::max_element(results.begin(), results.end(),
                                          [](const PairResult& a, const PairResult& b) { return a.gapFrames < b.gapFrames; });
    // Pairs whose settled levels are silence have no gap to speak of.
    const auto heardGap = [](const PairResult& r) { return r.gapFrames > 0 ? r.gapFrames : kFrames; };
    const auto shortest = std::min_element(
        results.begin(), results.end(), [&](const PairResult& a, const PairResult& b) { return heardGap(a) < heardGap(b); });
    std::printf("deepest gap: %.1f dB below the quieter settled level (%d -> %d)\n", deep->gapDepthDb, deep->from,
                deep->to);
    std::printf("longest gap (more than 6 dB down): %d frames, %.1f ms (%d -> %d)\n", longest->gapFrames,
                1000.0 * longest->gapFrames / kRate, longest->from, longest->to);
    double total = 0.0;
    int counted = 0;
    int longer = 0;
    for (const PairResult& r : results)
        if (r.gapFrames > 0)
        {
            total += r.gapFrames;
            ++counted;
            longer += r.gapFrames > shortest->gapFrames + kEnvelopeHalfSpan;
        }
    std::printf("gaps: shortest %.1f ms, mean %.1f ms, %d of %d pairs more than 5 ms longer than the shortest\n",
                1000.0 * shortest->gapFrames / kRate, counted > 0 ? 1000.0 * total / counted / kRate : 0.0, longer,
                counted);
}
} // namespace

// The peak of every quarter block from a little before the change to the end, for one pair.
int Trace(int from, int to, double level)
{
    PrintDifferences(from, to);
    const Signal out = RenderPair(from, to, Sine(kFrames, kToneHz, kRate, level));
    constexpr int kSpan = kBlock / 4;
    for (int i = kChangeAt - 4 * kSpan; i + kSpan <= kFrames; i += kSpan)
        std::printf("%6d %+8.2f dB  step %.4f\n", i - kChangeAt, FloorDecibels(Peak(out, i, i + kSpan)),
                    LargestStep(out, i, i + kSpan));
    return 0;
}

// Rise, step and gap of each given pair at both levels.
int Pairs(int count, char** fromTo)
{
    for (const auto& [title, level] : {std::pair{"0 dBFS", 1.0}, std::pair{"-12 dBFS", 0.25}})
    {
        const Signal input = Sine(kFrames, kToneHz, kRate, level);
        for (int k = 0; k + 1 < count; k += 2)
        {
            const PairResult r = Measure(std::atoi(fromTo[k]), std::atoi(fromTo[k + 1]), input);
            std::printf("%-8s %3d -> %3d  rise %+.2f dB  step %.2fx  gap %.1f ms\n", title, r.from, r.to, r.riseDb,
                        r.stepRatio, 1000.0 * r.gapFrames / kRate);
        }
    }
    return 0;
}

int main(int argc, char** argv)
{
    if (argc == 5 && std::string_view(argv[1]) == "--trace")
        return Trace(std::atoi(argv[2]), std::atoi(argv[3]), std::atof(argv[4]));
    if (argc > 3 && std::string_view(argv[1]) == "--pairs")
        return Pairs(argc - 2, argv + 2);
    const int threads = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
    const int stride = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    std::vector<std::pair<int, int>> pairs;
    int counted = 0;
    for (int from = 0; from < kProgramCount; ++from)
        for (int to = 0; to < kProgramCount; ++to)
            if (from != to && counted++ % stride == 0)
                pairs.emplace_back(from, to);

    for (const auto& [title, level] : {std::pair{"0 dBFS", 1.0}, std::pair{"-12 dBFS", 0.25}})
    {
        const Signal input = Sine(kFrames, kToneHz, kRate, level);
        std::vector<PairResult> results(pairs.size());
        std::atomic<size_t> next{0};
        std::vector<std::thread> workers;
        for (int t = 0; t < threads; ++t)
            workers.emplace_back([&] {
                for (size_t k = next++; k < pairs.size(); k = next++)
                    results[k] = Measure(pairs[k].first, pairs[k].second, input);
            });
        for (std::thread& worker : workers)
            worker.join();
        Report(title, std::move(results));
        std::fflush(stdout);
    }
    return 0;
}
