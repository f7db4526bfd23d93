#include "tools/vsthost/HostOptions.h"
#include "tools/vsthost/WavFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace
{
bool Parse(std::vector<const char*> arguments, HostOptions& options)
{
    arguments.insert(arguments.begin(), "vsthost");
    std::string error;
    return HostOptions::Parse(static_cast<int>(arguments.size()), arguments.data(), options, error);
}

TEST(VstHostOptions, CommandLines)
{
    struct Case
    {
        std::vector<const char*> arguments;
        bool valid;
    };
    const Case cases[] = {
        {{"plugin.so"}, true},
        {{"plugin.so", "--block", "64", "--rate", "48000", "--entry", "float,double,accumulate"}, true},
        {{"plugin.so", "--param", "3=0.5", "--param", "84=1", "--program", "7", "--cycles", "3"}, true},
        {{}, false},
        {{"plugin.so", "other.so"}, false},
        {{"plugin.so", "--block", "0"}, false},
        {{"plugin.so", "--block", "12x"}, false},
        {{"plugin.so", "--rate"}, false},
        {{"plugin.so", "--entry", "float,bogus"}, false},
        {{"plugin.so", "--entry", "float,"}, false},
        {{"plugin.so", "--param", "3=1.5"}, false},
        {{"plugin.so", "--param", "3"}, false},
        {{"plugin.so", "--signal", "square"}, false},
        {{"plugin.so", "--expect-id", "zv1"}, false},
        {{"plugin.so", "--cycles", "0"}, false},
        {{"plugin.so", "--verbose"}, false},
        {{"plugin.so", "--editor", "--press", "10,20", "--drag", "10,-5", "--release", "10,-5"}, true},
        {{"plugin.so", "--menu-item", "2.1", "--type", "42.5", "--key", "enter", "--screenshot", "a.png"}, true},
        {{"plugin.so", "--press", "10"}, false},
        {{"plugin.so", "--drag", "10,y"}, false},
        {{"plugin.so", "--menu-item", "2."}, false},
        {{"plugin.so", "--menu-item", "-1"}, false},
        {{"plugin.so", "--key", "f13"}, false},
        {{"plugin.so", "--right-click", "10,20", "--menu-screenshot", "m.png", "--play", "1.5"}, true},
        {{"plugin.so", "--program-name", "A long name"}, true},
        {{"plugin.so", "--play", "-1"}, false},
        {{"plugin.so", "--play", "61"}, false},
        {{"plugin.so", "--menu-screenshot", ""}, false},
        {{"plugin.so", "--right-click", "10"}, false},
    };
    for (const Case& c : cases)
    {
        HostOptions options;
        std::string line;
        for (const char* argument : c.arguments)
            line += std::string(argument) + " ";
        EXPECT_EQ(Parse(c.arguments, options), c.valid) << line;
    }
}

TEST(VstHostOptions, ValuesAreRead)
{
    HostOptions options;
    ASSERT_TRUE(Parse({"plugin.dll", "--entry", "double,float", "--param", "3=0.25", "--expect-id", "zv10",
                       "--expect-version", "10100", "--program", "2", "--expect-passthrough"},
                      options));
    EXPECT_EQ(options.pluginPath, "plugin.dll");
    EXPECT_EQ(options.entries, (std::vector<AudioEntry>{AudioEntry::Double, AudioEntry::Float}));
    ASSERT_EQ(options.parameters.size(), 1u);
    EXPECT_EQ(options.parameters[0].first, 3);
    EXPECT_EQ(options.parameters[0].second, 0.25f);
    EXPECT_EQ(options.expectedUniqueId, 0x7A763130);
    EXPECT_EQ(options.expectedVersion, 10100);
    EXPECT_EQ(options.program, 2);
    EXPECT_TRUE(options.expectPassThrough);
    EXPECT_FALSE(options.roundTripChunks);
}

TEST(VstHostOptions, TheEditorScriptKeepsCommandLineOrder)
{
    HostOptions options;
    ASSERT_FALSE(options.WantsEditor());
    ASSERT_TRUE(Parse({"plugin.dll", "--press", "125,125", "--drag", "125,-3", "--menu-item", "2.1", "--type", "42.5",
                       "--key", "escape", "--release", "125,110"},
                      options));
    EXPECT_TRUE(options.WantsEditor());
    using Kind = EditorAction::Kind;
    const std::vector<EditorAction>& script = options.editorActions;
    ASSERT_EQ(script.size(), 6u);
    const Kind kinds[] = {Kind::Press, Kind::Drag, Kind::ChooseMenuItem, Kind::Type, Kind::Key, Kind::Release};
    for (size_t i = 0; i < script.size(); ++i)
        EXPECT_EQ(script[i].kind, kinds[i]) << "step " << i;
    EXPECT_EQ(script[1].x, 125);
    EXPECT_EQ(script[1].y, -3);
    EXPECT_EQ(script[2].menuPath, (std::vector<int32_t>{2, 1}));
    EXPECT_EQ(script[3].text, "42.5");
    EXPECT_EQ(script[4].key, 0x1B);
    EXPECT_EQ(script[5].y, 110);
}

std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes)
{
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
}

// A canonical 44-byte header with the given format, followed by the sample bytes.
std::vector<uint8_t> Wav(uint16_t format, uint16_t channels, uint16_t bits, const std::vector<uint8_t>& samples)
{
    std::vector<uint8_t> bytes;
    auto put = [&](uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    };
    auto tag = [&](const char* text) { bytes.insert(bytes.end(), text, text + 4); };
    tag("RIFF");
    put(36 + static_cast<uint32_t>(samples.size()), 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(format, 2);
    put(channels, 2);
    put(8000, 4);
    put(8000u * channels * bits / 8, 4);
    put(channels * bits / 8u, 2);
    put(bits, 2);
    tag("data");
    put(static_cast<uint32_t>(samples.size()), 4);
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    return bytes;
}

TEST(VstHostWav, ReadsIntegerFormatsAndRefusesOthers)
{
    struct Case
    {
        const char* name;
        std::vector<uint8_t> bytes;
        bool readable;
        std::vector<std::vector<double>> channels;
    };
    const Case cases[] = {
        {"pcm8.wav", Wav(1, 1, 8, {0x80, 0xC0, 0x00}), true, {{0.0, 0.5, -1.0}}},
        {"pcm16.wav", Wav(1, 2, 16, {0x00, 0x40, 0x00, 0xC0}), true, {{0.5}, {-0.5}}},
        {"pcm24.wav", Wav(1, 1, 24, {0x00, 0x00, 0x80, 0xFF, 0xFF, 0x7F}), true, {{-1.0, 8388607.0 / 8388608.0}}},
        {"odd-tail.wav", Wav(1, 1, 16, {0x00, 0x40, 0x12}), true, {{0.5}}},
        {"adpcm.wav", Wav(2, 1, 4, {0x00}), false, {}},
        {"pcm12.wav", Wav(1, 1, 12, {0x00, 0x00}), false, {}},
        {"text.wav", {'h', 'e', 'l', 'l', 'o'}, false, {}},
    };
    for (const Case& c : cases)
    {
        AudioBuffer audio;
        double rate = 0.0;
        std::string error;
        ASSERT_EQ(WavFile::Read(WriteFile(c.name, c.bytes), audio, rate, error), c.readable) << c.name;
        if (c.readable)
        {
            EXPECT_EQ(rate, 8000.0) << c.name;
            EXPECT_EQ(audio.channels, c.channels) << c.name;
        }
    }
}

TEST(VstHostWav, FloatFilesRoundTrip)
{
    AudioBuffer audio(2, 3);
    audio.channels = {{0.25, -1.0, 0.125}, {1.0, 0.0, -0.5}};
    const std::string path = testing::TempDir() + "round-trip.wav";
    std::string error;
    ASSERT_TRUE(WavFile::Write(path, audio, 48000.0, error)) << error;
    AudioBuffer read;
    double rate = 0.0;
    ASSERT_TRUE(WavFile::Read(path, read, rate, error)) << error;
    EXPECT_EQ(rate, 48000.0);
    EXPECT_EQ(read.channels, audio.channels);
}
}
