#pragma once
// Whole files as bytes, for the chunks and states the hosts save and restore.

#include <cstdint>
#include <string>
#include <vector>

namespace ByteFile
{
bool Read(const std::string& path, std::vector<uint8_t>& bytes);
bool Write(const std::string& path, const std::vector<uint8_t>& bytes);
}
