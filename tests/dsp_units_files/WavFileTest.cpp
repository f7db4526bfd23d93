#include "dsp/units/files/WavFile.h"
#include "tests/dsp_units_files/TempFile.h"
#include "tests/dsp_units_files/WavFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) | (uint32_t(bytes[offset + 3]) << 24);
}

WavFixture Mono16(std::initializer_list<int16_t> values)
{
    WavFixture fixture;
    for (int16_t v : values)
        fixture.Add(v);
    return fixture;
}
}

TEST(WavFile, ReadsEverySupportedSampleFormat)
{
    struct Case
    {
        const char* what;
        WavFixture fixture;
        uint32_t sampleSize;
        std::vector<double> left;
    };
    WavFixture int8;
    int8.bits = 8;
    int8.AddBytes({0, 128, 255});
    WavFixture int24;
    int24.bits = 24;
    int24.AddBytes({0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x80, 0xFF, 0xFF, 0xFF});
    WavFixture int32;
    int32.bits = 32;
    int32.Add(int32_t{-2147483647 - 1}).Add(int32_t{5});
    WavFixture float32;
    float32.format = 3;
    float32.bits = 32;
    float32.Add(0.25f).Add(-1.5f);
    WavFixture float64;
    float64.format = 3;
    float64.bits = 64;
    float64.Add(0.125).Add(-3.0);
    WavFixture stereo = Mono16({1000, -1000, 300, 100});
    stereo.channels = 2;
    WavFixture int64;
    int64.bits = 64;
    int64.Add(int64_t{77}).Add(int64_t{-5});
    WavFixture float16;
    float16.format = 3;
    float16.Add(int16_t{1234}).Add(int16_t{-7});

    const Case cases[] = {
        {"8-bit", int8, 1, {-128.0, 0.0, 127.0}},
        {"16-bit", Mono16({-32768, 0, 32767}), 2, {-32768.0, 0.0, 32767.0}},
        {"24-bit", int24, 3, {2147483392.0, -2147483648.0, -256.0}},
        {"32-bit", int32, 4, {-2147483648.0, 5.0}},
        {"32-bit float", float32, 4, {0.25, -1.5}},
        {"64-bit float", float64, 8, {0.125, -3.0}},
        {"stereo mixed into left", stereo, 2, {0.0, 200.0}},
        {"64-bit integer reads 0", int64, 8, {0.0, 0.0}},
        {"16-bit float reads 0", float16, 2, {0.0, 0.0}},
    };
    for (const Case& c : cases)
    {
        const std::vector<uint8_t> bytes = c.fixture.Build();
        WavFile wav;
        ASSERT_TRUE(wav.Decode(bytes.data(), bytes.size())) << c.what;
        EXPECT_EQ(wav.sampleSize, c.sampleSize) << c.what;
        EXPECT_EQ(wav.format, c.fixture.format) << c.what;
        ASSERT_EQ(wav.frames.size(), c.left.size()) << c.what;
        for (size_t i = 0; i < c.left.size(); ++i)
        {
            EXPECT_EQ(wav.frames[i].left, c.left[i]) << c.what << " frame " << i;
            EXPECT_EQ(wav.frames[i].right, 0.0) << c.what << " frame " << i;
        }
    }
}

TEST(WavFile, DamagedFilesAreRefusedOrReadWithinTheirBytes)
{
    struct Case
    {
        const char* what;
        std::vector<uint8_t> bytes;
        bool accepted;
        size_t frames;
    };
    WavFixture twoFrames = Mono16({1, 2});

    WavFixture extraChunk = Mono16({7, 8, 9});
    extraChunk.extraChunk = "INFOsome text";
    WavFixture hugeDataSize = Mono16({1, 2, 3});
    hugeDataSize.claimedDataBytes = 0xFFFFFFF0;
    WavFixture oneSampleClaim = Mono16({1, 2, 3});
    oneSampleClaim.claimedDataBytes = 2;
    WavFixture noData = Mono16({1, 2, 3, 4, 5, 6, 7, 8});
    noData.withDataChunk = false;
    WavFixture hugeSearchedSize = Mono16({1, 2});
    hugeSearchedSize.extraChunk = "abcd";
    hugeSearchedSize.claimedDataBytes = 0xFFFFFFFF;
    WavFixture badBits = Mono16({1});
    badBits.bits = 12;
    WavFixture threeChannels = Mono16({1, 2, 3});
    threeChannels.channels = 3;
    WavFixture halfFrame = Mono16({1, 2, 3});
    halfFrame.channels = 2;

    std::vector<uint8_t> notRiff = twoFrames.Build();
    notRiff[0] = 'X';
    std::vector<uint8_t> notWave = twoFrames.Build();
    notWave[8] = 'X';
    std::vector<uint8_t> truncatedHeader = twoFrames.Build();
    truncatedHeader.resize(43);
    std::vector<uint8_t> searchAtTheEnd = noData.Build();
    searchAtTheEnd.insert(searchAtTheEnd.end(), {'d', 'a', 't', 'a', 0xFF, 0xFF});

    const Case cases[] = {
        {"extra chunk before data", extraChunk.Build(), true, 3},
        {"data size beyond the file", hugeDataSize.Build(), true, 3},
        {"one-sample data size with a short RIFF size", oneSampleClaim.Build(), true, 0},
        {"missing data chunk", noData.Build(), true, 0},
        {"searched data size beyond the file", hugeSearchedSize.Build(), true, 2},
        {"data tag in the last bytes", searchAtTheEnd, true, 0},
        {"stereo with half a frame", halfFrame.Build(), true, 1},
        {"unsupported bit depth", badBits.Build(), false, 0},
        {"three channels", threeChannels.Build(), false, 0},
        {"not RIFF", notRiff, false, 0},
        {"not WAVE", notWave, false, 0},
        {"truncated header", truncatedHeader, false, 0},
    };
    for (const Case& c : cases)
    {
        WavFile wav;
        wav.frames = {{5.0, 6.0}};
        EXPECT_EQ(wav.Decode(c.bytes.data(), c.bytes.size()), c.accepted) << c.what;
        const size_t expectedFrames = c.accepted ? c.frames : 1; // a refused file leaves the frames
        EXPECT_EQ(wav.frames.size(), expectedFrames) << c.what;
    }
}

TEST(WavFile, ReadsNaNSamplesAsTheyStand)
{
    WavFixture fixture;
    fixture.format = 3;
    fixture.bits = 32;
    fixture.Add(std::numeric_limits<float>::quiet_NaN()).Add(0.5f);
    const std::vector<uint8_t> bytes = fixture.Build();
    WavFile wav;
    ASSERT_TRUE(wav.Decode(bytes.data(), bytes.size()));
    EXPECT_TRUE(std::isnan(wav.frames[0].left));
    EXPECT_EQ(wav.frames[1].left, 0.5);
}

TEST(WavFile, ReadRefusesFilesOfTenMebibytesOrMissing)
{
    WavFixture fixture = Mono16({});
    std::string image = fixture.BuildText();
    struct Case
    {
        size_t length;
        bool accepted;
    };
    for (const Case& c : {Case{0xA00000 - 1, true}, Case{0xA00000, false}})
    {
        image.resize(c.length, '\0');
        TempFile file(".wav");
        file.Write(image);
        WavFile wav;
        wav.path = file.Path();
        EXPECT_EQ(wav.Read(), c.accepted) << c.length;
    }
    WavFile missing;
    missing.path = TempFile(".wav").Path();
    EXPECT_FALSE(missing.Read());
}

TEST(WavFile, WritesTheCanonicalFloatLayout)
{
    TempFile file(".wav");
    WavFile wav;
    wav.path = file.Path();
    wav.frames.assign(2048, WavFrame{0.5, 0.0});
    wav.frames[1] = {kNaN, 0.0};
    wav.frames[2] = {std::numeric_limits<double>::infinity(), 0.0};
    ASSERT_TRUE(wav.Write());
    const std::string text = file.Read();
    const std::vector<uint8_t> bytes(text.begin(), text.end());
    ASSERT_EQ(bytes.size(), 8236u);
    EXPECT_EQ(text.substr(0, 4), "RIFF");
    EXPECT_EQ(U32At(bytes, 4), 8228u);
    EXPECT_EQ(text.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(U32At(bytes, 16), 16u);
    EXPECT_EQ(bytes[20] | (bytes[21] << 8), 3);
    EXPECT_EQ(bytes[22] | (bytes[23] << 8), 1);
    EXPECT_EQ(U32At(bytes, 24), 44100u);
    EXPECT_EQ(U32At(bytes, 28), 176400u);
    EXPECT_EQ(bytes[32] | (bytes[33] << 8), 4);
    EXPECT_EQ(bytes[34] | (bytes[35] << 8), 32);
    EXPECT_EQ(text.substr(36, 4), "data");
    EXPECT_EQ(U32At(bytes, 40), 8192u);

    WavFile back;
    back.path = file.Path();
    ASSERT_TRUE(back.Read());
    ASSERT_EQ(back.frames.size(), 2048u);
    EXPECT_EQ(back.frames[0].left, 0.5);
    EXPECT_EQ(back.frames[1].left, 0.0);
    EXPECT_EQ(back.frames[2].left, 0.0);
}

TEST(WavFile, IntegerOutputIsScaledAndLimitedToPeakOne)
{
    struct Case
    {
        uint32_t sampleSize;
        double value;
        double peak;
        double expectedRead;
        double expectedRecord;
    };
    const Case cases[] = {
        {2, 0.5, 0.5, 16383.0, 0.5},
        {2, 1.0, 2.0, 16383.0, 0.5},
        {1, -1.0, 1.0, -127.0, -1.0},
        {3, 0.5, 0.5, 4194303.0 * 256.0, 0.5},
    };
    for (const Case& c : cases)
    {
        TempFile file(".wav");
        WavFile wav;
        wav.path = file.Path();
        wav.sampleSize = c.sampleSize;
        wav.format = WavFile::kIntegerPcm;
        wav.frames = {{c.value, 0.0}, {c.peak, 0.0}};
        ASSERT_TRUE(wav.Write()) << c.sampleSize;
        EXPECT_EQ(wav.frames[0].left, c.expectedRecord) << c.sampleSize;

        WavFile back;
        back.path = file.Path();
        ASSERT_TRUE(back.Read());
        EXPECT_EQ(back.frames[0].left, c.expectedRead) << c.sampleSize;
    }
}

TEST(WavFile, RefusesRecordsItCannotWrite)
{
    struct Case
    {
        const char* what;
        uint32_t sampleSize;
        uint16_t channels;
        size_t frames;
    };
    const Case cases[] = {
        {"no frames", 4, 1, 0},
        {"sample size 5", 5, 1, 4},
        {"sample size 0", 0, 1, 4},
        {"no channels", 2, 0, 4},
        {"three channels", 2, 3, 4},
    };
    for (const Case& c : cases)
    {
        TempFile file(".wav");
        WavFile wav;
        wav.path = file.Path();
        wav.sampleSize = c.sampleSize;
        wav.channels = c.channels;
        wav.frames.assign(c.frames, WavFrame{0.1, 0.2});
        EXPECT_FALSE(wav.Write()) << c.what;
        EXPECT_TRUE(wav.Encode().empty()) << c.what;
        EXPECT_TRUE(file.Read().empty()) << c.what << ": no file is created";
    }
    WavFile unwritable;
    unwritable.path = TempFile("").Path() + "/missing-folder/curve.wav";
    unwritable.frames.assign(4, WavFrame{0.1, 0.2});
    EXPECT_FALSE(unwritable.Write());
}

TEST(WavFile, StereoOutputWritesBothChannels)
{
    WavFile wav;
    wav.sampleSize = 2;
    wav.format = WavFile::kIntegerPcm;
    wav.channels = 2;
    wav.sampleRate = 48000.7;
    wav.frames = {{0.5, -0.25}};
    const std::vector<uint8_t> bytes = wav.Encode();
    ASSERT_EQ(bytes.size(), 48u);
    EXPECT_EQ(U32At(bytes, 24), 48000u);
    EXPECT_EQ(U32At(bytes, 28), 192000u);
    EXPECT_EQ(int16_t(bytes[44] | (bytes[45] << 8)), 16383);
    EXPECT_EQ(int16_t(bytes[46] | (bytes[47] << 8)), -8191);
}
