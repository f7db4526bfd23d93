// Every frame of every host block is written, whatever cuts the block routine makes in it: at
// the quiet point of a program change, at the prepared size, in every entry.

#include "framework/vst2/Vst2Constants.h"
#include "tests/plugin/HostPattern.h"
#include "tests/plugin/PluginRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace
{
enum class Entry
{
    kDouble,
    kFloat,
    kDoubleInPlace,
};

struct Host
{
    const char* name;
    Entry entry;
    int announcedBlock;
    int calledBlock;
};

// Program changes a user makes during playback, the last one while the one before fades in.
constexpr std::pair<double, int> kProgramChanges[] = {{0.1, 56}, {0.3, 85}, {0.37, 94}};
constexpr int kFirstProgram = 47;
constexpr double kSeconds = 0.5;

template <class Sample>
void Fill(std::vector<Sample>& samples, double value)
{
    std::fill(samples.begin(), samples.end(), static_cast<Sample>(value));
}

// Renders a sine through `host`'s entry with the program changes, checking after each call
// that no output frame still holds the pattern it was filled with; gives the left output.
std::vector<double> RenderChecked(const Host& host, double rate)
{
    PluginRig rig(host.announcedBlock, nullptr, rate);
    rig.Dispatch(effSetProgram, 0, kFirstProgram);
    AEffect* effect = rig.plugin.GetEffect();
    const int total = static_cast<int>(kSeconds * rate);
    std::vector<double> rendered;
    size_t nextChange = 0;
    for (int offset = 0; offset < total; offset += host.calledBlock)
    {
        while (nextChange < std::size(kProgramChanges) && offset >= kProgramChanges[nextChange].first * rate)
            rig.Dispatch(effSetProgram, 0, kProgramChanges[nextChange++].second);
        const int frames = std::min(host.calledBlock, total - offset);
        std::vector<double> left(static_cast<size_t>(frames));
        std::vector<double> right(static_cast<size_t>(frames));
        for (int i = 0; i < frames; ++i)
        {
            const double phase = 2.0 * std::numbers::pi * 220.0 * (offset + i) / rate;
            left[static_cast<size_t>(i)] = 0.25 * std::sin(phase);
            right[static_cast<size_t>(i)] = 0.25 * std::sin(phase + 1.0);
        }
        long unwritten[2] = {-1, -1};
        if (host.entry == Entry::kFloat)
        {
            std::vector<float> in[2] = {{left.begin(), left.end()}, {right.begin(), right.end()}};
            std::vector<float> out[2] = {std::vector<float>(left.size()), std::vector<float>(right.size())};
            Fill(out[0], kHostPattern);
            Fill(out[1], kHostPattern);
            float* inputs[2] = {in[0].data(), in[1].data()};
            float* outputs[2] = {out[0].data(), out[1].data()};
            effect->processReplacing(effect, inputs, outputs, frames);
            for (int c = 0; c < 2; ++c)
                unwritten[c] = FirstUnwrittenFrame(out[c]);
            left.assign(out[0].begin(), out[0].end());
        }
        else
        {
            // In place, a frame left unwritten holds the input: the render then differs from
            // the one through separate buffers.
            std::vector<double> out[2] = {left, right};
            if (host.entry == Entry::kDouble)
            {
                Fill(out[0], kHostPattern);
                Fill(out[1], kHostPattern);
            }
            double* inputs[2] = {left.data(), right.data()};
            double* outputs[2] = {out[0].data(), out[1].data()};
            effect->processDoubleReplacing(effect, host.entry == Entry::kDouble ? inputs : outputs, outputs, frames);
            for (int c = 0; c < 2; ++c)
                unwritten[c] = FirstUnwrittenFrame(out[c]);
            left = out[0];
        }
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(unwritten[c], -1) << "channel " << c << " of the call at frame " << offset;
        rendered.insert(rendered.end(), left.begin(), left.end());
    }
    return rendered;
}

TEST(HostBuffers, EveryFrameIsWrittenAcrossProgramChanges)
{
    const Host hosts[] = {
        {"double entry, 64-frame blocks", Entry::kDouble, 64, 64},
        {"double entry, 512-frame blocks", Entry::kDouble, 512, 512},
        {"double entry, 1024-frame blocks", Entry::kDouble, 1024, 1024},
        {"float entry, 512-frame blocks", Entry::kFloat, 512, 512},
        {"float entry, 1024-frame blocks", Entry::kFloat, 1024, 1024},
        // Slices of the announced size, then cut again at the quiet point.
        {"double entry, calls of 1500 after announcing 512", Entry::kDouble, 512, 1500},
    };
    for (const double rate : {44100.0, 48000.0, 96000.0})
        for (const Host& host : hosts)
        {
            SCOPED_TRACE(testing::Message() << host.name << " at " << rate << " Hz");
            RenderChecked(host, rate);
        }
}

TEST(HostBuffers, InPlaceProgramChangesSoundAsThroughSeparateBuffers)
{
    for (const double rate : {44100.0, 48000.0, 96000.0})
        for (const int block : {64, 512, 1024})
        {
            SCOPED_TRACE(testing::Message() << block << "-frame blocks at " << rate << " Hz");
            const std::vector<double> separate = RenderChecked({"", Entry::kDouble, block, block}, rate);
            EXPECT_EQ(RenderChecked({"", Entry::kDoubleInPlace, block, block}, rate), separate);
        }
}
} // namespace
