#include "plugin/ScopeBuffer.h"

#include <algorithm>

void ScopeBuffer::Remake(uint16_t newCapacity)
{
    entries.assign(newCapacity, ScopeEntry{});
    capacity = newCapacity;
    writeCounter = 0;
    sampleCounter = 0;
}

void ScopeBuffer::Write(const ScopeEntry& entry)
{
    if (capacity == 0)
        return;
    entries[writeCounter % capacity] = entry;
    ++writeCounter;
}

void ScopeBuffer::RequestClear()
{
    clearRequested.store(true, std::memory_order_relaxed);
}

void ScopeBuffer::RequestGaps(uint32_t count)
{
    gapsRequested.fetch_add(count, std::memory_order_relaxed);
}

bool ScopeBuffer::TakeRequests()
{
    const ScopeEntry gap{.gap = true};
    const bool clear = clearRequested.exchange(false, std::memory_order_relaxed);
    if (clear)
        std::fill(entries.begin(), entries.end(), gap);
    const uint32_t gaps = gapsRequested.exchange(0, std::memory_order_relaxed);
    for (uint32_t written = 0; written < gaps; ++written)
        Write(gap);
    return clear || gaps > 0;
}
