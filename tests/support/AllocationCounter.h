#pragma once

#include <cstdint>

// Counts every global operator new of the test program (the counting replacement lives in
// AllocationCounter.cpp and forwards to malloc).
class AllocationCounter
{
public:
    AllocationCounter();
    int64_t Allocations() const;

private:
    int64_t mStart;
};
