#pragma once

#include <cstdint>

// Flush-to-zero and denormals-are-zero for the guard's lifetime: decaying filter and
// smoother tails would otherwise fall into the slow denormal range. The caller's mode is
// restored afterwards, since the host's thread may rely on it.
class DenormalGuard
{
public:
    DenormalGuard();
    ~DenormalGuard();
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;

private:
    uint32_t mSaved = 0;
};
