#include "dsp/units/path/RoundedIndex.h"

#include <cmath>
#include <limits>

uint32_t RoundedIndex(double scaled)
{
    constexpr uint32_t kLargest = std::numeric_limits<uint32_t>::max();
    const double rounded = std::floor(scaled + 0.5);
    if (!(rounded >= 0.0))
        return 0;
    if (rounded >= static_cast<double>(kLargest))
        return kLargest;
    return static_cast<uint32_t>(rounded);
}
