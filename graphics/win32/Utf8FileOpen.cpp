#include "graphics/Utf8FileOpen.h"

#include <windows.h>

#include <vector>

// The C runtime reads narrow paths in the ANSI code page, so UTF-8 names go through UTF-16.
std::FILE* OpenUtf8FileForReading(const char* path)
{
    if (!path)
        return nullptr;
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
    if (length > 0)
    {
        std::vector<wchar_t> wide(static_cast<size_t>(length));
        if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, wide.data(), length) == length)
            if (std::FILE* file = _wfopen(wide.data(), L"rb"))
                return file;
    }
    return std::fopen(path, "rb");
}
