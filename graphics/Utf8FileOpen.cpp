#include "graphics/Utf8FileOpen.h"

std::FILE* OpenUtf8FileForReading(const char* path)
{
    return path ? std::fopen(path, "rb") : nullptr;
}
