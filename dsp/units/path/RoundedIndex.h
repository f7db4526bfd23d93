#pragma once

#include <cstdint>

// floor(scaled + 0.5) as an index or mode number. NaN and negative values give 0, values past
// the 32-bit range give its largest value, so no conversion is ever undefined.
uint32_t RoundedIndex(double scaled);
