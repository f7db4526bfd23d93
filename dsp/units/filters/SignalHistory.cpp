#include "dsp/units/filters/SignalHistory.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace Wezmark
{

namespace
{
void CopyFrames(double* destination, const double* source, int32_t frames)
{
    std::memcpy(destination, source, sizeof(double) * static_cast<size_t>(frames));
}
} // namespace

SignalHistory::SignalHistory()
{
    ResizeChannelPair(ring, kFrames);
    ResizeChannelPair(copy, kFrames);
    copyChannels[0] = copy.left;
    copyChannels[1] = copy.right;
}

void SignalHistory::Clear()
{
    std::fill_n(ring.left, kFrames, 0.0);
    std::fill_n(ring.right, kFrames, 0.0);
    next = 0;
}

void SignalHistory::Write(const double* const io[2], int32_t n)
{
    const int32_t skipped = std::max(n - kFrames, 0);
    int32_t from = skipped;
    while (from < n)
    {
        const int32_t count = std::min(n - from, kFrames - next);
        CopyFrames(ring.left + next, io[0] + from, count);
        CopyFrames(ring.right + next, io[1] + from, count);
        from += count;
        next = (next + count) % kFrames;
    }
}

double* const* SignalHistory::Recent()
{
    const int32_t older = kFrames - next;
    for (auto [destination, source] : {std::pair{copy.left, ring.left}, std::pair{copy.right, ring.right}})
    {
        CopyFrames(destination, source + next, older);
        CopyFrames(destination + older, source, next);
    }
    return copyChannels;
}

} // namespace Wezmark
