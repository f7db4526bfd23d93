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
    BeginBlock(n);
    ProcessPiece(io, n);
}

void SmpRateConverter::BeginBlock(int32_t n)
{
    mBlockFrames = n;
    mKept = 0;
    mDone = 0;
    mGathered = 0;
    if (bypassed || ratio == 1.0 || n < 1)
        return;
    // Ratios that give fewer than two kept frames (NaN and negative ones included) keep two.
    const double kept = std::trunc(n * ratio);
    if (kept > held.capacity)
        return;
    const int32_t m = kept >= kMinimumHeld ? static_cast<int32_t>(kept) : kMinimumHeld;
    if (m > held.capacity)
        return;
    mKept = m;
}

// Kept frame j is block frame k(j) = j / m x n, and block frame i plays kept frame j(i) =
// i / n x m (both rounded down). k(j(i)) <= i, also as rounded in doubles: the products stay
// far further from the next whole number than their rounding error. So every frame plays a
// kept frame from itself or before, and a piece needs no frame of a later one.
void SmpRateConverter::ProcessPiece(double* const io[2], int32_t count)
{
    if (mKept == 0 || count < 1)
        return;
    const int32_t n = mBlockFrames;
    const int32_t m = mKept;
    const int32_t from = mDone;
    const int32_t end = std::min(from + count, n);
    // The positions are never negative, so the conversion's truncation is their floor.
    for (; mGathered < m; ++mGathered)
    {
        const int32_t k = std::min(static_cast<int32_t>(static_cast<double>(mGathered) / m * n), n - 1);
        if (k >= end)
            break;
        held.left[mGathered] = FiniteOrZero(io[0][k - from]);
        held.right[mGathered] = FiniteOrZero(io[1][k - from]);
    }
    for (int32_t i = from; i < end; ++i)
    {
        // The bound only keeps memory safe: by the reasoning above j < mGathered already.
        const int32_t j = std::min({static_cast<int32_t>(static_cast<double>(i) / n * m), m - 1, mGathered - 1});
        io[0][i - from] = held.left[j];
        io[1][i - from] = held.right[j];
    }
    mDone = end;
}

} // namespace Wezmark
