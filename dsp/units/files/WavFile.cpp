#include "dsp/units/files/WavFile.h"

#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/files/FileBytes.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string_view>

static_assert(std::endian::native == std::endian::little, "samples are copied as little-endian");
static_assert(sizeof(float) == 4 && sizeof(double) == 8);

namespace
{
constexpr size_t kFormatOffset = 20;
constexpr size_t kChannelsOffset = 22;
constexpr size_t kBitsOffset = 34;
constexpr size_t kRiffSizeOffset = 4;
constexpr size_t kWaveTagOffset = 8;
constexpr size_t kFirstChunkOffset = 36;
constexpr size_t kChunkHeaderBytes = 8;
constexpr uint32_t kFormatChunkBytes = 16;

uint16_t ReadU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t ReadU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

bool TagAt(const uint8_t* p, std::string_view tag)
{
    return std::memcmp(p, tag.data(), tag.size()) == 0;
}

uint32_t SampleSizeForBits(uint16_t bits)
{
    switch (bits)
    {
    case 8:
        return 1;
    case 16:
        return 2;
    case 24:
        return 3;
    case 32:
        return 4;
    case 64:
        return 8;
    default:
        return WavFile::kUnsupportedSampleSize;
    }
}

double ReadSample(const uint8_t* p, uint32_t sampleSize, uint16_t format)
{
    if (format == WavFile::kIeeeFloat)
    {
        if (sampleSize == 4)
        {
            float value;
            std::memcpy(&value, p, sizeof value);
            return value;
        }
        if (sampleSize == 8)
        {
            double value;
            std::memcpy(&value, p, sizeof value);
            return value;
        }
        return 0.0;
    }
    switch (sampleSize)
    {
    case 1:
        return p[0] - 128;
    case 2:
        return static_cast<int16_t>(ReadU16(p));
    case 3:
        // Assembled unsigned, so the top byte lands in the sign bit without overflow:
        // 256 times the 24-bit sample.
        return static_cast<int32_t>((static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                     (static_cast<uint32_t>(p[2]) << 16))
                                    << 8);
    case 4:
        return static_cast<int32_t>(ReadU32(p));
    default:
        return 0.0;
    }
}

// (int) of a sample value, saturating instead of overflowing.
int32_t TruncateToInt(double value)
{
    constexpr double kLimit = 2147483647.0;
    if (!(value > -kLimit))
        return std::isnan(value) ? 0 : -static_cast<int32_t>(kLimit);
    if (value >= kLimit)
        return static_cast<int32_t>(kLimit);
    return static_cast<int32_t>(value);
}

uint32_t TruncateRate(double rate)
{
    constexpr double kLimit = 4294967295.0;
    if (!(rate > 0.0))
        return 0;
    return rate >= kLimit ? static_cast<uint32_t>(kLimit) : static_cast<uint32_t>(rate);
}

void PutU16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutTag(std::vector<uint8_t>& out, std::string_view tag)
{
    out.insert(out.end(), tag.begin(), tag.end());
}

void PutSample(std::vector<uint8_t>& out, double value, uint32_t sampleSize, double scale)
{
    const double scaled = FiniteOrZero(value) * scale;
    switch (sampleSize)
    {
    case 1:
        out.push_back(static_cast<uint8_t>((TruncateToInt(scaled) & 255) + 128));
        break;
    case 2:
        PutU16(out, static_cast<uint16_t>(TruncateToInt(scaled)));
        break;
    case 3:
    {
        const uint32_t bits = static_cast<uint32_t>(TruncateToInt(scaled));
        out.push_back(static_cast<uint8_t>(bits));
        out.push_back(static_cast<uint8_t>(bits >> 8));
        out.push_back(static_cast<uint8_t>(bits >> 16));
        break;
    }
    case 4:
    {
        const float sample = static_cast<float>(scaled);
        uint8_t bytes[sizeof sample];
        std::memcpy(bytes, &sample, sizeof sample);
        out.insert(out.end(), bytes, bytes + sizeof bytes);
        break;
    }
    default:
    {
        uint8_t bytes[sizeof scaled];
        std::memcpy(bytes, &scaled, sizeof scaled);
        out.insert(out.end(), bytes, bytes + sizeof bytes);
        break;
    }
    }
}
}

bool WavFile::Read()
{
    std::vector<uint8_t> bytes;
    if (!FileBytes::Read(path, kMaxFileBytes, bytes))
        return false;
    return Decode(bytes.data(), bytes.size());
}

bool WavFile::Decode(const uint8_t* bytes, size_t length)
{
    if (length < kHeaderBytes || length >= static_cast<size_t>(kMaxFileBytes))
        return false;
    sampleSize = SampleSizeForBits(ReadU16(bytes + kBitsOffset));
    if (!TagAt(bytes, "RIFF") || !TagAt(bytes + kWaveTagOffset, "WAVE") || sampleSize == kUnsupportedSampleSize)
        return false;
    const uint16_t fileChannels = ReadU16(bytes + kChannelsOffset);
    if (fileChannels != 1 && fileChannels != 2)
        return false;
    format = ReadU16(bytes + kFormatOffset);

    // Counts are computed in 64 bits and limited to the samples actually present.
    int64_t frameCount = 0;
    size_t start = length;
    if (TagAt(bytes + kFirstChunkOffset, "data"))
    {
        const int64_t samples = ReadU32(bytes + kFirstChunkOffset + 4) / sampleSize;
        const int64_t riffSamples = ReadU32(bytes + kRiffSizeOffset) / sampleSize;
        frameCount = samples == 1 ? riffSamples / fileChannels - 36 : samples / fileChannels;
        start = kHeaderBytes;
    }
    else
    {
        for (size_t p = kHeaderBytes; p + kChunkHeaderBytes <= length; ++p)
        {
            if (TagAt(bytes + p, "data"))
            {
                frameCount = ReadU32(bytes + p + 4) / sampleSize / fileChannels;
                start = p + kChunkHeaderBytes;
                break;
            }
        }
    }
    const int64_t frameBytes = static_cast<int64_t>(sampleSize) * fileChannels;
    frameCount = std::clamp<int64_t>(frameCount, 0, static_cast<int64_t>(length - start) / frameBytes);

    frames.clear();
    frames.reserve(static_cast<size_t>(frameCount));
    const uint8_t* sample = bytes + start;
    for (int64_t i = 0; i < frameCount; ++i)
    {
        const double left = ReadSample(sample, sampleSize, format);
        sample += sampleSize;
        if (fileChannels == 2)
        {
            const double right = ReadSample(sample, sampleSize, format);
            sample += sampleSize;
            frames.push_back({(left + right) * 0.5, 0.0});
        }
        else
        {
            frames.push_back({left, 0.0});
        }
    }
    return true;
}

bool WavFile::CanWrite() const
{
    const bool knownSize = sampleSize == 1 || sampleSize == 2 || sampleSize == 3 || sampleSize == 4 || sampleSize == 8;
    const uint64_t dataBytes = static_cast<uint64_t>(sampleSize) * channels * frames.size();
    return !frames.empty() && knownSize && (channels == 1 || channels == 2) &&
           dataBytes <= std::numeric_limits<uint32_t>::max() - kFirstChunkOffset;
}

void WavFile::LimitIntegerLevel()
{
    if (sampleSize >= 4)
        return;
    double peak = 0.0;
    for (const WavFrame& frame : frames)
    {
        peak = std::max(peak, std::fabs(FiniteOrZero(frame.left)));
        if (channels == 2)
            peak = std::max(peak, std::fabs(FiniteOrZero(frame.right)));
    }
    if (peak <= 1.0)
        return;
    for (WavFrame& frame : frames)
    {
        frame.left /= peak;
        if (channels == 2)
            frame.right /= peak;
    }
}

std::vector<uint8_t> WavFile::Encode() const
{
    std::vector<uint8_t> out;
    if (!CanWrite())
        return out;
    const uint16_t bits = static_cast<uint16_t>(sampleSize * 8);
    const uint32_t dataBytes = static_cast<uint32_t>(sampleSize * channels * frames.size());
    const uint32_t rate = TruncateRate(sampleRate);
    out.reserve(kHeaderBytes + dataBytes);
    PutTag(out, "RIFF");
    PutU32(out, static_cast<uint32_t>(kFirstChunkOffset) + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, kFormatChunkBytes);
    PutU16(out, format);
    PutU16(out, channels);
    PutU32(out, rate);
    PutU32(out, rate * channels * (bits / 8));
    PutU16(out, static_cast<uint16_t>(bits / 8 * channels));
    PutU16(out, bits);
    PutTag(out, "data");
    PutU32(out, dataBytes);

    const double scale = sampleSize >= 4 ? 1.0 : std::ldexp(1.0, bits - 1) - 1.0;
    for (const WavFrame& frame : frames)
    {
        PutSample(out, frame.left, sampleSize, scale);
        if (channels != 1)
            PutSample(out, frame.right, sampleSize, scale);
    }
    return out;
}

bool WavFile::Write()
{
    if (!CanWrite())
        return false;
    LimitIntegerLevel();
    const std::vector<uint8_t> bytes = Encode();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    return written && closed;
}
