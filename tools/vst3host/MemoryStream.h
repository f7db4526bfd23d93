#pragma once
// A byte stream in memory for the plug-in's state. Like streams of real hosts, it may move
// fewer bytes per call than asked, so the plug-in must keep calling.

#include "tools/vst3host/ComTables.h"

#include <atomic>
#include <cstdint>
#include <vector>

class MemoryStream
{
public:
    explicit MemoryStream(std::vector<uint8_t> bytes = {});

    void* Object() { return this; }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    uint32_t ForeignReferences() const { return references_ - 1; }

private:
    static const StreamTable kTable;
    // The most bytes one read or write call moves.
    static constexpr int32_t kMostBytesPerCall = 4096;

    static ComResult QueryInterface(void* self, const uint8_t* interfaceId, void** object);
    static uint32_t AddRef(void* self);
    static uint32_t Release(void* self);
    static ComResult Read(void* self, void* buffer, int32_t count, int32_t* bytesRead);
    static ComResult Write(void* self, void* buffer, int32_t count, int32_t* bytesWritten);
    static ComResult Seek(void* self, int64_t position, int32_t mode, int64_t* result);
    static ComResult Tell(void* self, int64_t* position);

    // Must stay the first member.
    const StreamTable* table_;
    std::atomic<uint32_t> references_{1};
    std::vector<uint8_t> bytes_;
    size_t position_ = 0;
};
