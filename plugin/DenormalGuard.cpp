#include "plugin/DenormalGuard.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <xmmintrin.h>

namespace
{
constexpr uint32_t kFlushToZero = 0x8000;
constexpr uint32_t kDenormalsAreZero = 0x0040;
}

DenormalGuard::DenormalGuard() : mSaved(_mm_getcsr())
{
    _mm_setcsr(mSaved | kFlushToZero | kDenormalsAreZero);
}

DenormalGuard::~DenormalGuard()
{
    _mm_setcsr(mSaved);
}
#else
// Other processors keep their own mode; the units flush their tails themselves.
DenormalGuard::DenormalGuard() = default;
DenormalGuard::~DenormalGuard() = default;
#endif
