#include "graphics/FileDialogFilter.h"

#include <cstring>

namespace
{
constexpr char kWildcard[] = "*.";
constexpr size_t kWildcardLength = sizeof kWildcard - 1;
constexpr char kSeparator = ';';
// The pattern appears twice, each time with its terminator, and the list ends with one more.
constexpr size_t kLongestPattern = (FileDialogFilter::kFilterSize - 3) / 2;
}

FileDialogFilter::FileDialogFilter(const char* extensions)
{
    bool first = true;
    for (const char* cursor = extensions ? extensions : ""; *cursor != '\0';)
    {
        if (*cursor == ' ')
        {
            ++cursor;
            continue;
        }
        const size_t length = std::strcspn(cursor, " ");
        if (first && length < kExtensionSize)
            std::memcpy(mDefaultExtension, cursor, length);
        first = false;
        AddExtension(cursor, length);
        cursor += length;
    }
    if (mPatternLength == 0)
        return;
    // Description and pattern are the same text.
    std::memcpy(mFilter + mPatternLength + 1, mFilter, mPatternLength);
}

void FileDialogFilter::AddExtension(const char* extension, size_t length)
{
    const size_t separator = mPatternLength > 0 ? 1 : 0;
    if (mPatternLength + separator + kWildcardLength + length > kLongestPattern)
        return;
    char* out = mFilter + mPatternLength;
    if (separator)
        *out++ = kSeparator;
    std::memcpy(out, kWildcard, kWildcardLength);
    std::memcpy(out + kWildcardLength, extension, length);
    mPatternLength += separator + kWildcardLength + length;
}
