#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Whole-file reading for the curve importers, which load a file at once.
class FileBytes
{
public:
    // Reads the file into `bytes` when its length can be found and is below `limit`; false when
    // it cannot be opened, measured or read in full, or is too long.
    static bool Read(const std::string& path, int64_t limit, std::vector<uint8_t>& bytes);
};
