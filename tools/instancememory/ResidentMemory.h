#pragma once
// The resident memory of this process: what the system holds in RAM for it right now.

#include <cstdint>

// Bytes; 0 where it cannot be read.
int64_t ResidentBytes();
