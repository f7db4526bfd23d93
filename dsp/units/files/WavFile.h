#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct WavFrame
{
    double left;
    double right;
};

// A RIFF/WAVE file as transfer curves travel in it: 8, 16, 24 or 32-bit integer or 32 or 64-bit
// float samples, mono or stereo. Reading mixes stereo into the left member and keeps integer
// samples unscaled; writing produces the canonical 44-byte header.
class WavFile
{
public:
    static constexpr int64_t kMaxFileBytes = 0xA00000;
    static constexpr size_t kHeaderBytes = 44;
    static constexpr uint32_t kUnsupportedSampleSize = 9;

    enum Format : uint16_t
    {
        kIntegerPcm = 1,
        kIeeeFloat = 3,
    };

    std::string path;
    uint32_t sampleSize = 4;
    uint16_t format = kIeeeFloat;
    double sampleRate = 44100.0;
    uint16_t channels = 1;
    std::vector<WavFrame> frames;

    // Loads `path`; on success replaces the frames and sets the sample size and format. A file
    // without a data chunk reads as success with no frames.
    bool Read();

    // Read on bytes already in memory.
    bool Decode(const uint8_t* bytes, size_t length);

    // Writes the frames to `path`. Refuses (no file) an empty record, an unsupported sample size
    // or channel count; integer output first scales the frames down to a peak of 1.
    bool Write();

    // The file image of the frames as they stand; empty when Write would refuse the record.
    std::vector<uint8_t> Encode() const;

private:
    bool CanWrite() const;
    void LimitIntegerLevel();
};
