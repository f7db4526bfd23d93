// Listens to the factory bank with numbers: every program is rendered on quiet test signals
// and must give finite output that never reaches the output guard and, once settled, stays
// below full scale; it must never fall silent and must sound unlike the program before it.

#include "plugin/FactoryBank.h"
#include "tests/plugin/BandLevels.h"
#include "tests/plugin/PluginRig.h"
#include "tests/support/Decibels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>
#include <span>
#include <vector>

namespace
{
using Wezmark::ZarvotoneProgram;

constexpr int kFrames = 8192;
// The second half of each signal, after the glides of a program or signal change have settled.
constexpr int kAnalysedFrames = 4096;
// -12 dBFS.
constexpr double kTestPeak = 0.25;
// The block routine clamps every output sample to +10 dBFS.
constexpr double kOutputGuard = 3.1622776601683795;
constexpr double kFullScale = 1.0;
constexpr double kSilenceDecibels = -60.0;
// Mean band difference that a listener hears without trying.
constexpr double kAudibleDistance = 2.0;

struct Tone
{
    double frequency;
    double amplitude;
};

// A bass note, and two tones that intermodulate in the mids; both peak at -12 dBFS.
const std::vector<std::vector<Tone>> kTestSignals = {
    {{110.0, kTestPeak}},
    {{220.0, kTestPeak / 2.0}, {1250.0, kTestPeak / 2.0}},
};

StereoSignal MakeSignal(const std::vector<Tone>& tones)
{
    StereoSignal signal{Signal(kFrames), Signal(kFrames)};
    for (int i = 0; i < kFrames; ++i)
    {
        double sample = 0.0;
        for (const Tone& tone : tones)
            sample += tone.amplitude * std::sin(2.0 * std::numbers::pi * tone.frequency * i / PluginRig::kRate);
        signal.left[static_cast<size_t>(i)] = sample;
        signal.right[static_cast<size_t>(i)] = sample;
    }
    return signal;
}

struct Hearing
{
    bool finite = true;
    // Over the whole signal, the glides of the program change included.
    double peak = 0.0;
    double settledPeak = 0.0;
    double rmsDecibels = 0.0;
    // Left bands, then right bands.
    std::vector<double> bands;
};

Hearing Listen(const StereoSignal& output)
{
    Hearing hearing;
    double energy = 0.0;
    for (const Signal* channel : {&output.left, &output.right})
    {
        for (size_t i = 0; i < channel->size(); ++i)
        {
            const double sample = (*channel)[i];
            hearing.finite = hearing.finite && std::isfinite(sample);
            hearing.peak = std::max(hearing.peak, std::fabs(sample));
            if (i >= channel->size() - kAnalysedFrames)
            {
                hearing.settledPeak = std::max(hearing.settledPeak, std::fabs(sample));
                energy += sample * sample;
            }
        }
        const std::span<const double> analysed(channel->data() + channel->size() - kAnalysedFrames, kAnalysedFrames);
        const std::vector<double> bands = BandLevels::Measure(analysed, PluginRig::kRate);
        hearing.bands.insert(hearing.bands.end(), bands.begin(), bands.end());
    }
    hearing.rmsDecibels = PowerDecibels(energy / (2.0 * kAnalysedFrames));
    return hearing;
}

// On one running instance, as a musician steps through the bank: every parameter takes the
// program's value and the change is applied, then each test signal plays.
std::vector<Hearing> Render(PluginRig& rig, const ZarvotoneProgram& program, const std::vector<StereoSignal>& signals)
{
    for (int index = 0; index < kTotalParamCount; ++index)
    {
        rig.plugin.GetParam(index)->SetPlain(program.GetValue(index));
        rig.plugin.ParamChanged(index);
    }
    std::vector<Hearing> hearings;
    for (const StereoSignal& signal : signals)
        hearings.push_back(Listen(rig.Render(signal, PluginRig::kBlock)));
    return hearings;
}

struct Group
{
    size_t first;
    size_t last;
};

// The preset menu's groups, each from its header (or the start) to the entry before the next.
const Group kGroups[] = {{0, 19}, {20, 39}, {40, 51}, {52, 57}, {58, 82}, {83, 96}, {97, 103}, {104, 124}, {125, 127}};

void PrintTo(const Group& group, std::ostream* out)
{
    *out << "entries " << group.first << " to " << group.last;
}

class FactoryBankSound : public testing::TestWithParam<Group>
{
};

TEST_P(FactoryBankSound, EveryProgramPlaysCleanAudibleAndUnlikeTheOneBefore)
{
    const std::vector<ZarvotoneProgram> bank = CreateFactoryPrograms();
    std::vector<StereoSignal> signals;
    for (const std::vector<Tone>& tones : kTestSignals)
        signals.push_back(MakeSignal(tones));

    const Group group = GetParam();
    PluginRig rig;
    std::vector<Hearing> previous;
    if (group.first > 0)
        previous = Render(rig, bank[group.first - 1], signals);
    for (size_t entry = group.first; entry <= group.last; ++entry)
    {
        const std::vector<Hearing> hearings = Render(rig, bank[entry], signals);
        // Heard on either signal.
        double distance = 0.0;
        for (size_t s = 0; s < hearings.size(); ++s)
        {
            const Hearing& hearing = hearings[s];
            SCOPED_TRACE(bank[entry].Name() + ", signal " + std::to_string(s));
            EXPECT_TRUE(hearing.finite);
            EXPECT_LT(hearing.peak, kOutputGuard);
            EXPECT_LT(hearing.settledPeak, kFullScale);
            EXPECT_GT(hearing.rmsDecibels, kSilenceDecibels);
            if (!previous.empty())
                distance = std::max(distance, BandLevels::Distance(hearing.bands, previous[s].bands));
        }
        if (!previous.empty())
        {
            EXPECT_GE(distance, kAudibleDistance) << bank[entry].Name() << " after " << bank[entry - 1].Name();
        }
        previous = hearings;
    }
}

INSTANTIATE_TEST_SUITE_P(FactoryBank, FactoryBankSound, testing::ValuesIn(kGroups),
                         [](const testing::TestParamInfo<Group>& info) {
                             return "Entries" + std::to_string(info.param.first) + "To" +
                                    std::to_string(info.param.last);
                         });
}
