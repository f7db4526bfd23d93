#include "vst3/base/Utf16Text.h"

namespace Vst3
{
namespace
{
constexpr char16 kLargestNarrowUnit = 0xFF;
constexpr char kUnrepresentable = '?';
}

void WidenText(const char* text, char16* out, int32 capacity)
{
    if (!out || capacity <= 0)
        return;
    int32 length = 0;
    for (; text && text[length] != '\0' && length < capacity - 1; ++length)
        out[length] = static_cast<char16>(static_cast<unsigned char>(text[length]));
    out[length] = u'\0';
}

void NarrowText(const char16* text, char* out, int32 capacity)
{
    if (!out || capacity <= 0)
        return;
    int32 length = 0;
    for (; text && text[length] != u'\0' && length < capacity - 1; ++length)
    {
        const char16 unit = text[length];
        out[length] = unit <= kLargestNarrowUnit ? static_cast<char>(unit) : kUnrepresentable;
    }
    out[length] = '\0';
}
}
