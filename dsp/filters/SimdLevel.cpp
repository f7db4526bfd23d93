#include "dsp/filters/SimdLevel.h"

#include <algorithm>
#include <atomic>

namespace
{

std::atomic<SimdLevel> gLimit{SimdLevel::kAvx2Fma};

// The compiler's run-time check also asks the operating system whether it saves the wide
// registers, so a processor with AVX2 under a system that does not counts as portable.
SimdLevel DetectedSimdLevel()
{
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma"))
        return SimdLevel::kAvx2Fma;
    return SimdLevel::kPortable;
}

} // namespace

SimdLevel AvailableSimdLevel()
{
    static const SimdLevel detected = DetectedSimdLevel();
    return std::min(detected, gLimit.load(std::memory_order_relaxed));
}

void LimitSimdLevel(SimdLevel highest)
{
    gLimit.store(highest, std::memory_order_relaxed);
}
