#pragma once

#include "tools/fuzzcorpus/Seed.h"

#include <vector>

// WAV files in the formats the reader takes but the curve export never writes (8, 16, 24 and
// 32-bit integers, 64-bit floats, stereo, another chunk before the samples), their samples a
// curve's points.
std::vector<Seed> MakeWavFormatSeeds(const std::vector<double>& points);
