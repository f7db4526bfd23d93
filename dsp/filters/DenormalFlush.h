#pragma once

#include "dsp/SamplePair.h"

#include <cmath>

namespace Dsp {

// The alternating guard of the first stage does not reach the later stages of a low or band
// pass (their zeros at Nyquist cancel it), so their decaying memories, and outputs that
// cancel to nearly nothing, are cut off here, far above the denormal range of floats.
inline constexpr double kDenormalFlushLevel = 1e-30;

inline double FlushVanishing(double value)
{
    return std::fabs(value) < kDenormalFlushLevel ? 0.0 : value;
}

// The same for each lane.
inline SamplePair FlushVanishing(SamplePair value)
{
    const SamplePair magnitude = value < 0.0 ? -value : value;
    return magnitude < kDenormalFlushLevel ? SamplePair{} : value;
}

} // namespace Dsp
