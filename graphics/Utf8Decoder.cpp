#include "graphics/Utf8Decoder.h"

namespace
{
constexpr uint32_t kSpace = 0x20;

bool IsContinuation(uint8_t byte)
{
    return (byte & 0xC0) == 0x80;
}

uint8_t ByteAt(const char* text, int32_t length, int32_t index)
{
    return index < length ? static_cast<uint8_t>(text[index]) : 0;
}
}

uint32_t NextUtf8Code(const char* text, int32_t length, int32_t& position)
{
    const uint8_t lead = static_cast<uint8_t>(text[position]);
    const uint8_t b1 = ByteAt(text, length, position + 1);
    const uint8_t b2 = ByteAt(text, length, position + 2);
    const uint8_t b3 = ByteAt(text, length, position + 3);

    if (lead >= 0xC2 && lead <= 0xDF && IsContinuation(b1))
    {
        position += 2;
        return (lead & 0x1Fu) << 6 | (b1 & 0x3Fu);
    }
    // Three bytes: no overlong forms (E0 needs A0 or more) and no surrogates (ED below A0).
    if (lead >= 0xE0 && lead <= 0xEF && IsContinuation(b1) && IsContinuation(b2) && !(lead == 0xE0 && b1 < 0xA0) &&
        !(lead == 0xED && b1 >= 0xA0))
    {
        position += 3;
        return (lead & 0x0Fu) << 12 | (b1 & 0x3Fu) << 6 | (b2 & 0x3Fu);
    }
    if (lead >= 0xF0 && lead <= 0xF4 && IsContinuation(b1) && IsContinuation(b2) && IsContinuation(b3) &&
        !(lead == 0xF0 && b1 < 0x90) && !(lead == 0xF4 && b1 >= 0x90))
    {
        position += 4;
        return kSpace;
    }
    position += 1;
    return lead;
}
