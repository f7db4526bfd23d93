#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// Builds WAV file images for the reader tests: a canonical header, optionally another chunk
// before the data, and sample bytes given as they are to stand in the file.
struct WavFixture
{
    uint16_t format = 1;
    uint16_t channels = 1;
    uint16_t bits = 16;
    std::string extraChunk;          // inserted, with its 8-byte header, before "data"
    bool withDataChunk = true;
    int64_t claimedDataBytes = -1;   // -1: the real size
    std::vector<uint8_t> samples;

    template <typename T>
    WavFixture& Add(T value)
    {
        uint8_t bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        samples.insert(samples.end(), bytes, bytes + sizeof value);
        return *this;
    }

    WavFixture& AddBytes(std::initializer_list<uint8_t> bytes)
    {
        samples.insert(samples.end(), bytes);
        return *this;
    }

    std::vector<uint8_t> Build() const
    {
        std::vector<uint8_t> out;
        auto tag = [&](const char* t) { out.insert(out.end(), t, t + 4); };
        auto u16 = [&](uint32_t v) { out.push_back(uint8_t(v)); out.push_back(uint8_t(v >> 8)); };
        auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
        const uint32_t dataBytes = claimedDataBytes < 0 ? uint32_t(samples.size()) : uint32_t(claimedDataBytes);
        const uint32_t extraBytes = extraChunk.empty() ? 0 : uint32_t(8 + extraChunk.size());
        tag("RIFF");
        u32(36 + extraBytes + dataBytes);
        tag("WAVE");
        tag("fmt ");
        u32(16);
        u16(format);
        u16(channels);
        u32(44100);
        u32(44100u * channels * bits / 8);
        u16(channels * bits / 8);
        u16(bits);
        if (!extraChunk.empty())
        {
            tag("LIST");
            u32(uint32_t(extraChunk.size()));
            out.insert(out.end(), extraChunk.begin(), extraChunk.end());
        }
        if (withDataChunk)
        {
            tag("data");
            u32(dataBytes);
        }
        out.insert(out.end(), samples.begin(), samples.end());
        return out;
    }

    std::string BuildText() const
    {
        const std::vector<uint8_t> bytes = Build();
        return std::string(bytes.begin(), bytes.end());
    }
};
