#pragma once
// Writes straight RGBA images as PNG with nothing that changes between runs (no time chunk,
// fixed compression), so regenerated files compare byte for byte.
#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

// Returns false when the file cannot be written; nothing is left half-written under the name.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba);

}  // namespace artgen
