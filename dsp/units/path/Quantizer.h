#pragma once

#include <cstdint>

// Bit reduction: every sample is truncated to a multiple of 1 / factor.
struct Quantizer
{
    static constexpr double kOff = 1.0;
    static constexpr double kFullBits = 64.0;
    static constexpr double kFullFactor = 18446744073709551616.0; // 2^64

    void ProcessBlock(double* const io[2], int32_t n) const;

    bool bypassed = false;
    // Exactly 1 (or above) means off.
    double amount = kOff;
    double bits = kFullBits;
    double factor = kFullFactor;
};
