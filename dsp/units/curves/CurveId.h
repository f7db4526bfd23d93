#pragma once

#include <cstdint>

// Index 0..80 of a built-in transfer curve; stored in parameters and programs as id / 80.
using CurveId = uint32_t;

inline constexpr CurveId kCurveIdCount = 81;
inline constexpr CurveId kLastCurveId = kCurveIdCount - 1;
