#include "dsp/units/curves/LcgRandom.h"

namespace
{
constexpr uint32_t kMultiplier = 214013;
constexpr uint32_t kIncrement = 2531011;
}

uint32_t LcgRandom::Step(uint32_t state)
{
    return state * kMultiplier + kIncrement;
}

int32_t LcgRandom::ResultOf(uint32_t state)
{
    return static_cast<int32_t>((state >> 16) & kMax);
}

int32_t LcgRandom::Next()
{
    mState = Step(mState);
    return ResultOf(mState);
}

double LcgRandom::NextUnit()
{
    return Next() / static_cast<double>(kMax);
}
