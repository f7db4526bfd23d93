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

void ScopeBuffer::TakeRequests()
{
    const ScopeEntry gap{.gap = true};
    if (clearRequested.exchange(false, std::memory_order_relaxed))
        std::fill(entries.begin(), entries.end(), gap);
    for (uint32_t gaps = gapsRequested.exchange(0, std::memory_order_relaxed); gaps > 0; --gaps)
        Write(gap);
}
