// Renders every factory program on the same noise, at 44.1 and at 48 kHz, and either writes the
// settled end of each render (raw little-endian doubles) or compares it with such a file, program
// by program. Run
// with --write on one build and with --compare on another, it shows which programs sound
// different between the two, and by how much.

#include "framework/vst2/Vst2Constants.h"
#include "plugin/FactoryBank.h"
#include "tests/plugin/PluginRig.h"
#include "tests/plugin/RenderFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <vector>

namespace
{
// Two seconds, long enough for every glide of a program change to settle.
constexpr int kFrames = 88200;
constexpr int kSettledFrames = 8192;
// -12 dBFS noise.
constexpr double kAmplitude = 0.25;
// -120 dBFS.
constexpr double kTolerance = 1e-6;
// The rate the glides were tuned at, and one where every rate conversion acts.
constexpr double kRates[] = {44100.0, 48000.0};

int ProgramCount()
{
    return static_cast<int>(CreateFactoryPrograms().size());
}

std::vector<double> RenderAll()
{
    std::vector<double> samples;
    const StereoSignal input = MakeNoise(kFrames, kAmplitude);
    for (const double rate : kRates)
        for (int program = 0; program < ProgramCount(); ++program)
        {
            PluginRig rig(PluginRig::kBlock, nullptr, rate);
            rig.Dispatch(effSetProgram, 0, program);
            const StereoSignal output = rig.Render(input, PluginRig::kBlock);
            for (const Signal* channel : {&output.left, &output.right})
                samples.insert(samples.end(), channel->end() - kSettledFrames, channel->end());
        }
    return samples;
}

double Decibels(double amplitude)
{
    return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : -400.0;
}

int Compare(const std::vector<double>& reference, const std::vector<double>& samples)
{
    if (reference.size() != samples.size())
    {
        std::printf("sample counts differ: %zu and %zu\n", reference.size(), samples.size());
        return 1;
    }
    const auto bank = CreateFactoryPrograms();
    const size_t perProgram = 2 * static_cast<size_t>(kSettledFrames);
    int failures = 0;
    int identical = 0;
    double worstOverall = 0.0;
    size_t from = 0;
    for (const double rate : kRates)
        for (size_t p = 0; p < bank.size(); ++p, from += perProgram)
        {
            double worst = 0.0;
            bool same = true;
            for (size_t i = from; i < from + perProgram; ++i)
            {
                worst = std::max(worst, std::fabs(reference[i] - samples[i]));
                same = same && std::memcmp(&reference[i], &samples[i], sizeof(double)) == 0;
            }
            worstOverall = std::max(worstOverall, worst);
            const bool agrees = worst <= kTolerance;
            if (!agrees)
                std::printf("%3zu %-28s at %.0f Hz: largest difference %.1f dBFS\n", p, bank[p].Name().c_str(), rate,
                            Decibels(worst));
            failures += agrees ? 0 : 1;
            identical += same ? 1 : 0;
        }
    const size_t renders = bank.size() * std::size(kRates);
    std::printf("%d of %zu renders differ by more than %.0f dBFS, %d are identical bit for bit; largest difference "
                "%.1f dBFS\n",
                failures, renders, Decibels(kTolerance), identical, Decibels(worstOverall));
    return failures == 0 ? 0 : 1;
}
}

int main(int argc, char** argv)
{
    return RunRenderTool(argc, argv, "factory_render", RenderAll, Compare);
}
