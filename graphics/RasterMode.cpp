#include "graphics/RasterMode.h"

#include <algorithm>

int32_t RasterWeight(float alpha)
{
    // Alphas beyond +-16 saturate, so that no blend formula can overflow 32 bits; NaN draws nothing.
    constexpr float kLimit = 16.0f;
    if (!(alpha == alpha))
        return 0;
    return static_cast<int32_t>(std::clamp(alpha, -kLimit, kLimit) * 256.0f);
}
