#include "tools/vsthost/WavFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace
{
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr size_t kRiffHeaderSize = 12;
constexpr size_t kChunkHeaderSize = 8;
constexpr size_t kFormatSize = 16;
// The sub-format code sits at this offset of an extensible format chunk.
constexpr size_t kExtensibleSubFormatOffset = 24;

uint32_t ReadLittle(const uint8_t* bytes, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

void AppendLittle(std::vector<uint8_t>& out, uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void AppendTag(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

struct SampleFormat
{
    uint16_t code = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bits = 0;
};

bool IsSupported(const SampleFormat& format)
{
    if (format.channels == 0 || format.sampleRate == 0)
        return false;
    if (format.code == kFormatFloat)
        return format.bits == 32 || format.bits == 64;
    return format.code == kFormatPcm && format.bits >= 8 && format.bits <= 32 && format.bits % 8 == 0;
}

double DecodeSample(const SampleFormat& format, const uint8_t* bytes)
{
    if (format.code == kFormatFloat && format.bits == 32)
    {
        const uint32_t word = ReadLittle(bytes, 4);
        float value;
        std::memcpy(&value, &word, sizeof value);
        return value;
    }
    if (format.code == kFormatFloat)
    {
        const uint64_t word = ReadLittle(bytes, 4) | static_cast<uint64_t>(ReadLittle(bytes + 4, 4)) << 32;
        double value;
        std::memcpy(&value, &word, sizeof value);
        return value;
    }
    const uint32_t word = ReadLittle(bytes, format.bits / 8);
    // 8-bit WAV samples are unsigned, wider ones signed.
    if (format.bits == 8)
        return (static_cast<int32_t>(word) - 128) / 128.0;
    const int shift = 32 - format.bits;
    const auto value = static_cast<int32_t>(word << shift) >> shift;
    return value / static_cast<double>(uint64_t{1} << (format.bits - 1));
}
}

bool WavFile::Read(const std::string& path, AudioBuffer& audio, double& sampleRate, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
    {
        error = "cannot open " + path;
        return false;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < kRiffHeaderSize || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    {
        error = path + " is not a WAV file";
        return false;
    }

    SampleFormat format;
    const uint8_t* data = nullptr;
    size_t dataSize = 0;
    for (size_t position = kRiffHeaderSize; position + kChunkHeaderSize <= bytes.size();)
    {
        const uint8_t* chunk = bytes.data() + position;
        const size_t available = bytes.size() - position - kChunkHeaderSize;
        const size_t size = std::min<size_t>(ReadLittle(chunk + 4, 4), available);
        const uint8_t* body = chunk + kChunkHeaderSize;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= kFormatSize)
        {
            format.code = static_cast<uint16_t>(ReadLittle(body, 2));
            format.channels = static_cast<uint16_t>(ReadLittle(body + 2, 2));
            format.sampleRate = ReadLittle(body + 4, 4);
            format.bits = static_cast<uint16_t>(ReadLittle(body + 14, 2));
            if (format.code == kFormatExtensible && size >= kExtensibleSubFormatOffset + 2)
                format.code = static_cast<uint16_t>(ReadLittle(body + kExtensibleSubFormatOffset, 2));
        }
        else if (std::memcmp(chunk, "data", 4) == 0)
        {
            data = body;
            dataSize = size;
        }
        // Chunks are padded to an even size.
        position += kChunkHeaderSize + size + (size & 1);
    }

    if (!data || !IsSupported(format))
    {
        error = path + " holds no audio in a supported format";
        return false;
    }
    const size_t frameBytes = static_cast<size_t>(format.channels) * (format.bits / 8);
    const auto frames = static_cast<int32_t>(dataSize / frameBytes);
    audio = AudioBuffer(format.channels, frames);
    for (int32_t frame = 0; frame < frames; ++frame)
    {
        for (uint16_t channel = 0; channel < format.channels; ++channel)
        {
            const uint8_t* sample = data + frame * frameBytes + channel * (format.bits / 8);
            audio.channels[channel][static_cast<size_t>(frame)] = DecodeSample(format, sample);
        }
    }
    sampleRate = format.sampleRate;
    return true;
}

bool WavFile::Write(const std::string& path, const AudioBuffer& audio, double sampleRate, std::string& error)
{
    constexpr uint16_t kBits = 32;
    const auto channels = static_cast<uint16_t>(audio.ChannelCount());
    const auto frames = static_cast<uint32_t>(audio.FrameCount());
    const uint32_t blockAlign = channels * (kBits / 8);
    const uint32_t dataSize = frames * blockAlign;
    const auto rate = static_cast<uint32_t>(sampleRate);

    std::vector<uint8_t> out;
    out.reserve(kRiffHeaderSize + 2 * kChunkHeaderSize + kFormatSize + dataSize);
    AppendTag(out, "RIFF");
    AppendLittle(out, static_cast<uint32_t>(4 + 2 * kChunkHeaderSize + kFormatSize + dataSize), 4);
    AppendTag(out, "WAVE");
    AppendTag(out, "fmt ");
    AppendLittle(out, kFormatSize, 4);
    AppendLittle(out, kFormatFloat, 2);
    AppendLittle(out, channels, 2);
    AppendLittle(out, rate, 4);
    AppendLittle(out, rate * blockAlign, 4);
    AppendLittle(out, blockAlign, 2);
    AppendLittle(out, kBits, 2);
    AppendTag(out, "data");
    AppendLittle(out, dataSize, 4);
    for (uint32_t frame = 0; frame < frames; ++frame)
    {
        for (uint16_t channel = 0; channel < channels; ++channel)
        {
            const auto value = static_cast<float>(audio.channels[channel][frame]);
            uint32_t word;
            std::memcpy(&word, &value, sizeof word);
            AppendLittle(out, word, 4);
        }
    }

    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file)
    {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
