#pragma once

#include <cstddef>

// A read-out such as "-0.00 dB" looks like a fault: a value that prints as zero with the
// given number of decimals shows without a sign. Allocation-free, so the audio thread may
// format with it.
namespace SignlessZero
{
// True when `value` printed with `decimals` digits after the point shows only zeros.
bool RoundsToZero(double value, int decimals);
// 0.0 when `value` rounds to zero at `decimals`, else `value` itself.
double Clean(double value, int decimals);
// A gain in dB with two decimals: signed ("+3.50 dB", "-1.25 dB"), or "0.00 dB" when it
// rounds to zero.
void SignedDecibels(char* out, size_t size, double db);
}
