#pragma once

#include <cstdint>

// The dead-zone gate's pass over a block whose threshold has settled, four frames of each
// channel at a time with 256-bit AVX2: the portable gate's result bit for bit, the knee's
// divide made only where a sample lies in the knee. Only for a processor where
// AvailableSimdLevel allows it.
void GateSettledWide(double* const io[2], int32_t n, double threshold, double knee, double kneeTop);
