#pragma once

#include <cstdint>
#include <vector>

// One decimated frame of the oscilloscope: the dry input and the processed output.
struct ScopeEntry
{
    double inputLeft = 0.0;
    double inputRight = 0.0;
    double outputLeft = 0.0;
    double outputRight = 0.0;
    // Marks a break in the trace.
    bool gap = false;
};

// The ring the block routine writes and the oscilloscope draws. The editor reads it without
// the lock; a torn entry only shows for one redraw.
struct ScopeBuffer
{
    static constexpr uint16_t kCapacity = 601;

    // Zeroed entries of the given capacity and both counters at 0; not for the audio thread.
    void Remake(uint16_t newCapacity);
    // The entry at the write counter, then the counter moves on (wrapping at 16 bits).
    void Write(const ScopeEntry& entry);

    uint16_t capacity = 0;
    std::vector<ScopeEntry> entries;
    uint16_t writeCounter = 0;
    // Every frame the block routine sees; decimation counts on it.
    uint32_t sampleCounter = 0;
};
