#pragma once
// Counts every global operator new of the test program; the replacement lives in
// AllocationCounter.cpp and forwards to malloc.

#include <cstdint>

int64_t AllocationsSoFar();
