#pragma once
// The state block as plain bytes, for tests that write, damage and compare blocks.

#include "plugin/Zarvotone.h"

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// What SerializeState writes into an empty chunk.
Bytes StateBytes(Zarvotone& plugin);

// A chunk holding the given bytes.
class ChunkOf : public StateChunk
{
public:
    explicit ChunkOf(const Bytes& bytes);
};

// Empty when equal, else the sizes and the offset of the first byte that differs.
std::string Difference(const Bytes& actual, const Bytes& expected);

void PutInt32(Bytes& bytes, size_t offset, int32_t value);
void PutDouble(Bytes& bytes, size_t offset, double value);
double GetDouble(const Bytes& bytes, size_t offset);
