#include "plugin/FrameDelay.h"

#include <algorithm>

void FrameDelay::Prepare(int32_t frames)
{
    const auto size = static_cast<size_t>(std::max(frames, 0));
    mLeft.assign(size, 0.0);
    mRight.assign(size, 0.0);
    mPosition = 0;
}

void FrameDelay::Clear()
{
    std::fill(mLeft.begin(), mLeft.end(), 0.0);
    std::fill(mRight.begin(), mRight.end(), 0.0);
    mPosition = 0;
}

void FrameDelay::Process(double* const io[2], int32_t n)
{
    if (mLeft.empty())
        return;
    for (int32_t i = 0; i < n; ++i)
    {
        std::swap(io[0][i], mLeft[mPosition]);
        std::swap(io[1][i], mRight[mPosition]);
        if (++mPosition == mLeft.size())
            mPosition = 0;
    }
}
