#include "tools/fuzzcorpus/WavFormatSeeds.h"

#include "dsp/units/files/WavFile.h"
#include "tests/dsp_units_files/WavFixture.h"

#include <cmath>
#include <string>

namespace
{
// Every eighth point: 256 frames, so the import resamples them.
constexpr size_t kPointStride = 8;
// The right channel, so a stereo file does not mix down to silence.
constexpr double kRightScale = 0.5;

struct WavFormat
{
    const char* name;
    uint16_t format;
    uint16_t channels;
    uint16_t bits;
    // The contents of a chunk before the samples, which the reader searches past; "" for none.
    const char* extraChunk;
};
constexpr WavFormat kFormats[] = {
    {"int8-mono", WavFile::kIntegerPcm, 1, 8, ""},
    {"int16-stereo", WavFile::kIntegerPcm, 2, 16, ""},
    {"int16-mono-list-chunk", WavFile::kIntegerPcm, 1, 16, "INFO"},
    {"int24-mono", WavFile::kIntegerPcm, 1, 24, ""},
    {"int32-stereo", WavFile::kIntegerPcm, 2, 32, ""},
    {"float32-stereo", WavFile::kIeeeFloat, 2, 32, ""},
    {"float64-mono", WavFile::kIeeeFloat, 1, 64, ""},
};

void AddSample(WavFixture& wav, double value)
{
    if (wav.format == WavFile::kIeeeFloat)
    {
        if (wav.bits == 64)
            wav.Add(value);
        else
            wav.Add(static_cast<float>(value));
        return;
    }
    const auto full = static_cast<int64_t>(std::lround(value * (std::ldexp(1.0, wav.bits - 1) - 1.0)));
    if (wav.bits == 8)
    {
        // 8-bit samples are unsigned around 128.
        wav.Add(static_cast<uint8_t>(full + 128));
        return;
    }
    for (int shift = 0; shift < wav.bits; shift += 8)
        wav.Add(static_cast<uint8_t>(static_cast<uint64_t>(full) >> shift));
}
}

std::vector<Seed> MakeWavFormatSeeds(const std::vector<double>& points)
{
    std::vector<Seed> seeds;
    for (const WavFormat& format : kFormats)
    {
        WavFixture wav;
        wav.format = format.format;
        wav.channels = format.channels;
        wav.bits = format.bits;
        wav.extraChunk = format.extraChunk;
        for (size_t i = 0; i < points.size(); i += kPointStride)
        {
            AddSample(wav, points[i]);
            if (format.channels == 2)
                AddSample(wav, points[i] * kRightScale);
        }
        seeds.push_back({std::string("wav_reader/") + format.name, wav.Build()});
    }
    return seeds;
}
