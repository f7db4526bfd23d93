#include "plugin/ScopeBuffer.h"

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
