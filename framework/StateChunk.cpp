#include "framework/StateChunk.h"

#include <cstring>

namespace
{
constexpr int kInt32Size = 4;
constexpr int kDoubleSize = 8;

void StoreLittleEndian(uint8_t* bytes, uint64_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint64_t LoadLittleEndian(const uint8_t* bytes, int count)
{
    uint64_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= uint64_t{bytes[i]} << (8 * i);
    return value;
}
}

void StateChunk::Clear()
{
    mBuffer.Resize(0, true);
}

bool StateChunk::AppendInt32(int32_t value)
{
    uint8_t bytes[kInt32Size];
    StoreLittleEndian(bytes, static_cast<uint32_t>(value), kInt32Size);
    return mBuffer.Append(bytes, kInt32Size);
}

bool StateChunk::AppendDouble(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    uint8_t bytes[kDoubleSize];
    StoreLittleEndian(bytes, bits, kDoubleSize);
    return mBuffer.Append(bytes, kDoubleSize);
}

bool StateChunk::AppendByte(uint8_t value)
{
    return mBuffer.Append(&value, 1);
}

bool StateChunk::AppendBytes(const void* bytes, int64_t count)
{
    return mBuffer.Append(bytes, count);
}

bool StateChunk::AppendText(const char* text)
{
    const size_t length = std::strlen(text);
    if (length > static_cast<size_t>(INT32_MAX))
        return false;
    const int32_t oldSize = Size();
    if (AppendInt32(static_cast<int32_t>(length)) && AppendBytes(text, static_cast<int64_t>(length)))
        return true;
    mBuffer.Resize(oldSize, false);
    return false;
}

bool StateChunk::HasBytes(int64_t count, int64_t position) const
{
    return position >= 0 && count >= 0 && position + count <= Size();
}

int StateChunk::ReadInt32(int32_t& value, int position) const
{
    if (!HasBytes(kInt32Size, position))
        return -1;
    value = static_cast<int32_t>(static_cast<uint32_t>(LoadLittleEndian(Data() + position, kInt32Size)));
    return position + kInt32Size;
}

int StateChunk::ReadDouble(double& value, int position) const
{
    if (!HasBytes(kDoubleSize, position))
        return -1;
    const uint64_t bits = LoadLittleEndian(Data() + position, kDoubleSize);
    std::memcpy(&value, &bits, sizeof value);
    return position + kDoubleSize;
}

int StateChunk::ReadByte(uint8_t& value, int position) const
{
    if (!HasBytes(1, position))
        return -1;
    value = Data()[position];
    return position + 1;
}

int StateChunk::ReadBytes(void* bytes, int64_t count, int position) const
{
    if (!HasBytes(count, position))
        return -1;
    if (count > 0)
        std::memcpy(bytes, Data() + position, static_cast<size_t>(count));
    return position + static_cast<int>(count);
}
