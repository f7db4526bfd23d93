#pragma once

#include <cstdint>

// The quantiser's loop with 256-bit AVX2 and fused multiply-add, only for a processor where
// AvailableSimdLevel allows it. It multiplies by the reciprocal of the factor and corrects the
// quotient twice by its exact remainder, so that each sample comes out as the divide rounds
// it: the same output as the portable loop, bit for bit.
void QuantizeWide(double* const io[2], int32_t n, double factor);

// Whether the factor is in the range where the reciprocal and the corrections neither
// overflow nor lose bits.
bool QuantizeWideServes(double factor);
