#pragma once

#include <cmath>
#include <numbers>

// A raised cosine from 0 at `x` = 0 to 1 at `x` = 1: its slope is 0 at both ends, so neither
// the start nor the end of a fade shaped by it adds a step of its own.
inline double RaisedCosine(double x)
{
    return 0.5 - 0.5 * std::cos(std::numbers::pi * x);
}
