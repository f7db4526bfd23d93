#pragma once

#include <atomic>
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
// the lock; a torn entry only shows for one redraw. The editor never writes it: it asks for a
// clear or for gap entries, and whoever next holds the plug-in lock carries the request out.
struct ScopeBuffer
{
    static constexpr uint16_t kCapacity = 601;

    // Zeroed entries of the given capacity and both counters at 0; not for the audio thread.
    void Remake(uint16_t newCapacity);
    // The entry at the write counter, then the counter moves on (wrapping at 16 bits).
    void Write(const ScopeEntry& entry);

    // From the editor, any time: every entry becomes a gap, or `count` gap entries follow.
    void RequestClear();
    void RequestGaps(uint32_t count);
    // Under the plug-in lock: the clear first, then the gaps; true when there was one.
    bool TakeRequests();

    uint16_t capacity = 0;
    std::vector<ScopeEntry> entries;
    uint16_t writeCounter = 0;
    // Every frame the block routine sees; decimation counts on it.
    uint32_t sampleCounter = 0;
    std::atomic<bool> clearRequested{false};
    std::atomic<uint32_t> gapsRequested{0};
};
