#include "tests/plugin/StateBytes.h"

#include <cstring>

Bytes StateBytes(Zarvotone& plugin)
{
    StateChunk chunk;
    plugin.SerializeState(chunk);
    return Bytes(chunk.Data(), chunk.Data() + chunk.Size());
}

ChunkOf::ChunkOf(const Bytes& bytes)
{
    AppendBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
}

std::string Difference(const Bytes& actual, const Bytes& expected)
{
    if (actual == expected)
        return {};
    size_t offset = 0;
    while (offset < actual.size() && offset < expected.size() && actual[offset] == expected[offset])
        ++offset;
    return std::to_string(actual.size()) + " bytes against " + std::to_string(expected.size()) +
           ", first difference at offset " + std::to_string(offset);
}

void PutInt32(Bytes& bytes, size_t offset, int32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes.at(offset + i) = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

void PutDouble(Bytes& bytes, size_t offset, double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (size_t i = 0; i < 8; ++i)
        bytes.at(offset + i) = static_cast<uint8_t>(bits >> (8 * i));
}

double GetDouble(const Bytes& bytes, size_t offset)
{
    uint64_t bits = 0;
    for (size_t i = 0; i < 8; ++i)
        bits |= uint64_t{bytes.at(offset + i)} << (8 * i);
    double value = 0.0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
