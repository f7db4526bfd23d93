#pragma once

#include "dsp/filters/SimdLevel.h"

#include <vector>

// Every level of loops this processor runs, the portable one first.
inline std::vector<SimdLevel> SimdLevelsHere()
{
    std::vector<SimdLevel> levels{SimdLevel::kPortable};
    if (AvailableSimdLevel() == SimdLevel::kAvx2Fma)
        levels.push_back(SimdLevel::kAvx2Fma);
    return levels;
}

// Units built or prepared while it lives use loops no wider than `level`.
class SimdLimit
{
public:
    explicit SimdLimit(SimdLevel level) { LimitSimdLevel(level); }
    ~SimdLimit() { LimitSimdLevel(SimdLevel::kAvx2Fma); }
    SimdLimit(const SimdLimit&) = delete;
    SimdLimit& operator=(const SimdLimit&) = delete;
};

// -120 dBFS: the difference the wide loops may make.
constexpr double kSimdTolerance = 1e-6;
