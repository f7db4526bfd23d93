#pragma once

#include <cmath>

// Designs divide by the sample rate: units ignore a rate that is not a positive finite number.
inline bool IsUsableSampleRate(double rate)
{
    return std::isfinite(rate) && rate > 0.0;
}
