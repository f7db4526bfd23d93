#pragma once

#include "vst3/abi/Vst3Types.h"

#include <cstring>

namespace Vst3
{
// An interface or class id: 16 bytes, compared as bytes. Interface ids are published as four
// 32-bit words; Windows lays the first two out COM-style (little-endian word, two little-endian
// halves), every other platform stores all four words big-endian.
struct Uid
{
    static constexpr int kSize = 16;

    constexpr Uid(uint32 word1, uint32 word2, uint32 word3, uint32 word4)
    {
#if defined(_WIN32)
        PutLittleEndian(0, word1, 4);
        PutLittleEndian(4, word2 >> 16, 2);
        PutLittleEndian(6, word2 & 0xFFFFu, 2);
#else
        PutBigEndian(0, word1);
        PutBigEndian(4, word2);
#endif
        PutBigEndian(8, word3);
        PutBigEndian(12, word4);
    }

    // False for a null id.
    bool Matches(const char* other) const { return other && std::memcmp(bytes, other, kSize) == 0; }

    char bytes[kSize] = {};

private:
    constexpr void PutLittleEndian(int offset, uint32 value, int count)
    {
        for (int i = 0; i < count; ++i)
            bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFFu);
    }

    constexpr void PutBigEndian(int offset, uint32 value)
    {
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = static_cast<char>((value >> (8 * (3 - i))) & 0xFFu);
    }
};
static_assert(sizeof(Uid) == Uid::kSize);
}
