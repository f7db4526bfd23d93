#include "dsp/units/SmpRateConverter.h"

#include "dsp/units/CurvePoints.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Wezmark
{

namespace
{

constexpr int32_t kMinimumHeld = 2;

} // namespace

SmpRateConverter::SmpRateConverter()
{
    SetBlockSize(kInitialFrames);
}

void SmpRateConverter::SetBlockSize(int32_t frames)
{
    ResizeChannelPair(held, frames);
    if (held.capacity > 0)
    {
        std::memset(held.left, 0, sizeof(double) * static_cast<size_t>(held.capacity));
        std::memset(held.right, 0, sizeof(double) * static_cast<size_t>(held.capacity));
    }
}

void SmpRateConverter::ProcessBlock(double* const io[2], int32_t n)
{
    if (bypassed || ratio == 1.0 || n < 1)
        return;
    // Ratios that give fewer than two kept frames (NaN and negative ones included) keep two.
    const double kept = std::trunc(n * ratio);
    if (kept > held.capacity)
        return;
    const int32_t m = kept >= kMinimumHeld ? static_cast<int32_t>(kept) : kMinimumHeld;
    if (m > held.capacity)
        return;

    // The positions are never negative, so the conversion's truncation is their floor.
    for (int32_t j = 0; j < m; ++j)
    {
        const int32_t k = std::min(static_cast<int32_t>(static_cast<double>(j) / m * n), n - 1);
        held.left[j] = FiniteOrZero(io[0][k]);
        held.right[j] = FiniteOrZero(io[1][k]);
    }
    for (int32_t i = 0; i < n; ++i)
    {
        const int32_t k = std::min(static_cast<int32_t>(static_cast<double>(i) / n * m), m - 1);
        io[0][i] = held.left[k];
        io[1][i] = held.right[k];
    }
}

} // namespace Wezmark
