#pragma once

#include "framework/GrowBuffer.h"

#include <cstdint>

// A byte stream of state. Writers append at the end; readers read at an explicit
// position and return the position after the value, or -1 when the value does not
// fit (the destination is then left as it was). Numbers are little-endian.
class StateChunk
{
public:
    StateChunk() = default;

    int32_t Size() const { return mBuffer.Size(); }
    // Null while the chunk is empty.
    const uint8_t* Data() const { return static_cast<const uint8_t*>(mBuffer.Data()); }
    // Empties the chunk and releases its storage.
    void Clear();
    // Exchanges the contents of two chunks without copying.
    void Swap(StateChunk& other) { mBuffer.Swap(other.mBuffer); }

    // Each append is all or nothing: false when the chunk could not grow.
    bool AppendInt32(int32_t value);
    bool AppendDouble(double value);
    bool AppendByte(uint8_t value);
    bool AppendBytes(const void* bytes, int64_t count);
    // An int32 byte count, then the bytes without terminator.
    bool AppendText(const char* text);

    int ReadInt32(int32_t& value, int position) const;
    int ReadDouble(double& value, int position) const;
    int ReadByte(uint8_t& value, int position) const;
    int ReadBytes(void* bytes, int64_t count, int position) const;

    // True when `count` bytes are present at `position`.
    bool HasBytes(int64_t count, int64_t position) const;

private:
    GrowBuffer mBuffer;
};
