#pragma once

#include <cstdint>

// Which instruction set inner loops may use. A unit asks once, when it is built or prepared,
// and keeps its answer; the stereo filter cascades ask at each block. The portable loops run
// on every x86-64 processor, so the plug-in loads and runs everywhere and only picks the wide
// loops where they exist.
enum class SimdLevel : uint8_t
{
    kPortable,
    // 256-bit AVX2 with fused multiply-add.
    kAvx2Fma,
};

// What this processor and its operating system support, no more than the limit below.
SimdLevel AvailableSimdLevel();

// Caps what AvailableSimdLevel answers from now on, for units prepared afterwards: tests use it
// to run the portable loops on a processor that has wider ones.
void LimitSimdLevel(SimdLevel highest);
