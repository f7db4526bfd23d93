#pragma once
// Renders kept between two runs of a render tool: raw little-endian doubles.

#include <vector>

bool WriteRender(const char* path, const std::vector<double>& samples);
bool ReadRender(const char* path, std::vector<double>& samples);
