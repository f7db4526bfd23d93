#pragma once

#include <string>
#include <string_view>

enum class FileMode
{
    // Line breaks become the platform's line ends.
    kText,
    kBinary,
};

// Writes the whole contents to a temporary file beside `path`, then puts it in place of `path`.
// False when any step fails; the temporary is then removed and a file already at `path` stays
// as it was, so a failed or short write never leaves half a file behind.
bool ReplaceFileContents(const std::string& path, std::string_view contents, FileMode mode);
