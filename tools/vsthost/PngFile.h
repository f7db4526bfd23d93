#pragma once
// Screenshots as PNG files.

#include <cstdint>
#include <string>
#include <vector>

namespace PngFile
{
// Writes 0xAARRGGBB pixels, rows top-down, as an 8-bit RGBA image; false with a reason when
// the file cannot be written.
bool Write(const std::string& path, const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
           std::string& error);
}
