#pragma once

#include <cstdint>

// Sample buffers of the processing units. Growing past the capacity replaces the
// block with a zeroed one of exactly the new size; growing within it changes nothing,
// so callers that need silence zero the buffer themselves.
struct SampleArray
{
    double* data = nullptr;
    int32_t capacity = 0;
    int32_t size = 0;

    SampleArray() = default;
    SampleArray(const SampleArray&) = delete;
    SampleArray& operator=(const SampleArray&) = delete;
    SampleArray(SampleArray&& other) noexcept;
    SampleArray& operator=(SampleArray&& other) noexcept;
    ~SampleArray();
};

struct ChannelPair
{
    double* left = nullptr;
    double* right = nullptr;
    int32_t capacity = 0;
    int32_t size = 0;

    ChannelPair() = default;
    ChannelPair(const ChannelPair&) = delete;
    ChannelPair& operator=(const ChannelPair&) = delete;
    ChannelPair(ChannelPair&& other) noexcept;
    ChannelPair& operator=(ChannelPair&& other) noexcept;
    ~ChannelPair();
};

void ResizeSampleArray(SampleArray& array, int32_t frames);
// Releases the block; the size is kept.
void FreeSampleArray(SampleArray& array);

void ResizeChannelPair(ChannelPair& pair, int32_t frames);
// Releases both channels; the size is kept.
void FreeChannelPair(ChannelPair& pair);
