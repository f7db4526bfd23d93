#include "dsp/units/curves/SharedRandom.h"

#include "dsp/units/curves/LcgRandom.h"

constinit std::atomic<uint32_t> SharedRandom::sState{LcgRandom::kDefaultSeed};

int32_t SharedRandom::Next()
{
    uint32_t state = sState.load(std::memory_order_relaxed);
    uint32_t next = LcgRandom::Step(state);
    while (!sState.compare_exchange_weak(state, next, std::memory_order_relaxed))
        next = LcgRandom::Step(state);
    return LcgRandom::ResultOf(next);
}

void SharedRandom::Seed(uint32_t seed)
{
    sState.store(seed, std::memory_order_relaxed);
}
