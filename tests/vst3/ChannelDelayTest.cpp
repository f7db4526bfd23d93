#include "vst3/ChannelDelay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace
{
constexpr int32_t kCapacity = 8;

// A ramp runs through in pieces of `piece` frames at `before`, then at `after`: each frame is
// the input as many frames earlier (silence before the first), also just after the change,
// whether the memory was followed at no delay or through one, in place or into another buffer.
struct Case
{
    int32_t before;
    int32_t after;
    int32_t piece;
    bool inPlace;
};
}

TEST(ChannelDelay, ADelayChangeGoesOnFromTheInputHeardBefore)
{
    const Case cases[] = {
        {0, 5, 3, false},          {0, kCapacity, 3, true},  {0, 3, kCapacity + 5, false},
        {0, kCapacity, 2 * kCapacity + 1, true}, {5, 0, 3, false}, {5, 2, 7, true}, {0, 0, 1, false},
    };
    constexpr int32_t kFrames = 60;
    constexpr int32_t kChange = 30;
    for (const Case& c : cases)
    {
        ChannelDelay delay;
        delay.Prepare(kCapacity);
        delay.SetDelay(c.before);
        std::vector<double> heard;
        for (int32_t start = 0; start < kFrames; start += c.piece)
        {
            if (start >= kChange)
                delay.SetDelay(c.after);
            const int32_t count = std::min(c.piece, kFrames - start);
            std::vector<double> input(static_cast<size_t>(count));
            for (int32_t i = 0; i < count; ++i)
                input[static_cast<size_t>(i)] = 1.0 + start + i;
            std::vector<double> output(input.size(), -1.0);
            double* out = c.inPlace ? input.data() : output.data();
            delay.Process(input.data(), out, count);
            heard.insert(heard.end(), out, out + count);
        }
        const int32_t changed = (kChange + c.piece - 1) / c.piece * c.piece;
        for (int32_t t = 0; t < kFrames; ++t)
        {
            const int32_t late = t < changed ? c.before : c.after;
            const double expected = t < late ? 0.0 : 1.0 + t - late;
            ASSERT_EQ(heard[static_cast<size_t>(t)], expected)
                << "from " << c.before << " to " << c.after << " in pieces of " << c.piece << ", frame " << t;
        }
    }
}
