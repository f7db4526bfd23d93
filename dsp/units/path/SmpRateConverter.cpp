#include "dsp/units/path/SmpRateConverter.h"

#include "dsp/units/curves/CurvePoints.h"

#include <algorithm>

namespace Wezmark
{

void SmpRateConverter::ProcessBlock(double* const io[2], int32_t n)
{
    if (bypassed || ratio == 1.0)
    {
        // Switched on again, it starts by keeping the frame at hand, not one from long ago.
        mRemaining = 0.0;
        return;
    }
    // NaN and ratios below the slowest one take the slowest; above 1 every frame is kept.
    const double step = (ratio > kSlowestRatio ? std::min(ratio, 1.0) : kSlowestRatio) / framesPerHostFrame;
    double remaining = mRemaining;
    double heldLeft = mHeldLeft;
    double heldRight = mHeldRight;
    for (int32_t i = 0; i < n; ++i)
    {
        if (remaining <= 0.0)
        {
            heldLeft = FiniteOrZero(io[0][i]);
            heldRight = FiniteOrZero(io[1][i]);
            remaining += 1.0;
        }
        remaining -= step;
        io[0][i] = heldLeft;
        io[1][i] = heldRight;
    }
    mRemaining = remaining;
    mHeldLeft = heldLeft;
    mHeldRight = heldRight;
}

} // namespace Wezmark
