#pragma once

#include <cstdint>

// The published linear congruential rand(): state = state * 214013 + 2531011 (mod 2^32),
// result = bits 16..30 of the state. Its sequence is part of the built-in curves, so each
// user that needs a reproducible sequence owns one and seeds it.
class LcgRandom
{
public:
    static constexpr int32_t kMax = 32767;
    static constexpr uint32_t kDefaultSeed = 1;

    explicit LcgRandom(uint32_t seed = kDefaultSeed) : mState(seed) {}

    void Seed(uint32_t seed) { mState = seed; }

    // 0..32767.
    int32_t Next();

    // Next() / 32767: 0..1 inclusive.
    double NextUnit();

    static uint32_t Step(uint32_t state);
    static int32_t ResultOf(uint32_t state);

private:
    uint32_t mState;
};
