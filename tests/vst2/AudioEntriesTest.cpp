#include "framework/vst2/Vst2Constants.h"
#include "tests/vst2/FakeHost.h"
#include "tests/vst2/HostedPlugin.h"
#include "tests/vst2/RecordingEffect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace
{
constexpr float kHostPoison = -7.0f;

enum class Entry
{
    Replacing,
    Accumulating,
    Double
};

const char* Name(Entry entry)
{
    switch (entry)
    {
    case Entry::Replacing:
        return "replacing";
    case Entry::Accumulating:
        return "accumulating";
    case Entry::Double:
        return "double";
    }
    return "";
}

// Two channels of host audio with a distinct ramp per channel.
template <typename Sample>
struct HostBuffers
{
    HostBuffers(size_t frames, Sample outputFill)
        : in(2, std::vector<Sample>(frames)), out(2, std::vector<Sample>(frames, outputFill))
    {
        for (size_t c = 0; c < 2; ++c)
        {
            for (size_t i = 0; i < frames; ++i)
                in[c][i] = static_cast<Sample>((c + 1) * 0.001 * static_cast<double>(i + 1));
        }
        inPointers = {in[0].data(), in[1].data()};
        outPointers = {out[0].data(), out[1].data()};
    }

    std::vector<std::vector<Sample>> in;
    std::vector<std::vector<Sample>> out;
    std::vector<Sample*> inPointers;
    std::vector<Sample*> outPointers;
};

class AudioEntries : public testing::Test
{
protected:
    // Runs one host block through an entry and returns the outputs widened to double; the
    // inputs as sent are kept in `inputs`. A negative frame count gets empty buffers.
    std::vector<std::vector<double>> Run(Entry entry, int frames, float outputFill = kHostPoison)
    {
        const size_t size = static_cast<size_t>(std::max(frames, 0));
        if (entry == Entry::Double)
            return RunWith<double>(size, outputFill, [&](auto& b) {
                plugin.Effect()->processDoubleReplacing(plugin.Effect(), b.inPointers.data(), b.outPointers.data(),
                                                        frames);
            });
        auto process = entry == Entry::Accumulating ? plugin.Effect()->process : plugin.Effect()->processReplacing;
        return RunWith<float>(size, outputFill, [&](auto& b) {
            process(plugin.Effect(), b.inPointers.data(), b.outPointers.data(), frames);
        });
    }

    template <typename Sample, typename Call>
    std::vector<std::vector<double>> RunWith(size_t frames, float outputFill, Call call)
    {
        HostBuffers<Sample> buffers(frames, static_cast<Sample>(outputFill));
        call(buffers);
        std::vector<std::vector<double>> result;
        inputs.clear();
        for (size_t c = 0; c < 2; ++c)
        {
            inputs.emplace_back(buffers.in[c].begin(), buffers.in[c].end());
            result.emplace_back(buffers.out[c].begin(), buffers.out[c].end());
        }
        return result;
    }

    FakeHost host;
    HostedPlugin plugin{HostedPlugin::CreateProduct(&FakeHost::Callback)};
    std::vector<std::vector<double>> inputs;
};

TEST_F(AudioEntries, EachEntryPassesAudioThroughInBlocksOfAnySize)
{
    struct Case
    {
        Entry entry;
        int frames;
        float outputFill;
    };
    const Case cases[] = {
        {Entry::Replacing, 100, kHostPoison},
        {Entry::Double, 100, kHostPoison},
        // The accumulating entry adds to what the host's outputs hold.
        {Entry::Accumulating, 100, 0.0f},
        {Entry::Accumulating, 100, 0.5f},
        // Longer than the announced block: processed in slices, never past a buffer.
        {Entry::Replacing, 200, kHostPoison},
        {Entry::Double, 200, kHostPoison},
        {Entry::Accumulating, 200, 0.25f},
        {Entry::Replacing, 0, kHostPoison},
        {Entry::Replacing, -5, kHostPoison},
    };
    plugin.Dispatch(effSetBlockSize, 0, 64);
    for (const Case& c : cases)
    {
        const auto out = Run(c.entry, c.frames, c.outputFill);
        for (size_t channel = 0; channel < 2; ++channel)
        {
            for (size_t i = 0; i < out[channel].size(); ++i)
            {
                // The accumulating entry adds in single precision.
                const auto input = inputs[channel][i];
                const double expected =
                    c.entry == Entry::Accumulating ? c.outputFill + static_cast<float>(input) : input;
                ASSERT_EQ(out[channel][i], expected) << Name(c.entry) << " " << c.frames << " frames, channel "
                                                     << channel << " frame " << i;
            }
        }
    }
}

TEST_F(AudioEntries, BlockBeforeAnyAnnouncementUsesTheDefaultBlockSize)
{
    const auto out = Run(Entry::Replacing, 3000);
    EXPECT_EQ(out[1][2999], inputs[1][2999]);
}

TEST_F(AudioEntries, DisconnectedInputPlaysSilenceNotItsLastBlock)
{
    for (Entry entry : {Entry::Replacing, Entry::Accumulating, Entry::Double})
    {
        VstSpeakerArrangement stereo{};
        stereo.numChannels = 2;
        plugin.Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&stereo), &stereo);
        Run(Entry::Replacing, 64);

        VstSpeakerArrangement mono{};
        mono.numChannels = 1;
        plugin.Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), nullptr);
        const auto out = Run(entry, 64, 0.0f);
        for (size_t i = 0; i < 64; ++i)
        {
            ASSERT_EQ(out[0][i], inputs[0][i]) << Name(entry) << " frame " << i;
            ASSERT_EQ(out[1][i], 0.0) << Name(entry) << " frame " << i;
        }
    }
}

TEST_F(AudioEntries, DisconnectedOutputTakesNoHostPointer)
{
    VstSpeakerArrangement mono{};
    mono.numChannels = 1;
    plugin.Dispatch(effSetSpeakerArrangement, 0, 0, &mono);
    for (Entry entry : {Entry::Replacing, Entry::Double})
    {
        const auto out = Run(entry, 32);
        for (size_t i = 0; i < 32; ++i)
        {
            ASSERT_EQ(out[0][i], inputs[0][i]) << Name(entry) << " frame " << i;
            ASSERT_EQ(out[1][i], kHostPoison) << Name(entry) << " frame " << i;
        }
    }
}

TEST(ParameterEntries, SetParameterMapsClampsAndIgnores)
{
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    struct Case
    {
        VstInt32 index;
        float value;
        double expected;  // normalised value of the parameter afterwards
        bool changed;
    };
    const Case cases[] = {
        {0, 0.25f, 0.25, true},
        {0, 1.0f, 1.0, true},
        {0, -3.0f, 0.0, true},
        {0, 7.0f, 1.0, true},
        {0, std::numeric_limits<float>::infinity(), 1.0, true},
        {0, kNaN, 0.5, false},
        {85, 0.25f, 0.5, false},
        {-1, 0.25f, 0.5, false},
    };
    FakeHost host;
    HostedPlugin plugin(HostedPlugin::CreateRecording(&FakeHost::Callback));
    auto& product = plugin.Object<RecordingEffect>();
    AEffect* effect = plugin.Effect();
    for (const Case& c : cases)
    {
        product.GetParam(0)->SetPlain(0.5);
        product.changedParams.clear();
        host.calls.clear();
        effect->setParameter(effect, c.index, c.value);
        EXPECT_DOUBLE_EQ(product.GetParam(0)->GetNormalized(), c.expected) << c.index << " " << c.value;
        EXPECT_EQ(product.changedParams, c.changed ? std::vector<int>{c.index} : std::vector<int>{});
        EXPECT_TRUE(host.calls.empty());
    }
}

TEST(ParameterEntries, GetParameterGivesNormalisedValues)
{
    FakeHost host;
    HostedPlugin plugin(HostedPlugin::CreateRecording(&FakeHost::Callback));
    AEffect* effect = plugin.Effect();
    effect->setParameter(effect, 3, 0.75f);
    EXPECT_EQ(effect->getParameter(effect, 3), 0.75f);
    EXPECT_EQ(effect->getParameter(effect, 85), 0.0f);
    EXPECT_EQ(effect->getParameter(effect, -1), 0.0f);
}
}
