#pragma once

#include "framework/GrowBuffer.h"

#include <cstdint>

// A zero-terminated text kept in a GrowBuffer; the used size counts the terminator.
// A string that was never set has used size 0 and reads as "".
class GrowString
{
public:
    explicit GrowString(int32_t granularity = GrowBuffer::kDefaultGranularity);

    // Writes `length` bytes of `text` at `position`, terminates after them and cuts the
    // string there. Length 0 at position 0 empties the string; other negative or empty
    // requests change nothing. `text` may point into this string.
    void SetAt(int32_t position, const char* text, int32_t length);
    void Set(const char* text);

    const char* Get() const;
    int32_t Size() const { return mBuffer.Size(); }

private:
    GrowBuffer mBuffer;
};
