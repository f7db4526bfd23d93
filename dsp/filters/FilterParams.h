#pragma once

#include <array>

namespace Dsp {

inline constexpr int kMaxParams = 8;

// Positional parameter values in the design's own order; entries past its count are ignored.
using FilterParams = std::array<double, kMaxParams>;

} // namespace Dsp
