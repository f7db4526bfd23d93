#pragma once
// Test signals, the same in every build.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

// Deterministic numbers from a linear congruential generator: one sequence on every platform.
class TestRandom
{
public:
    explicit TestRandom(uint32_t seed) : mState(seed) {}

    // In [0, 1).
    double Unit()
    {
        Step();
        return static_cast<double>(mState >> 8) / 16777216.0;
    }

    // In [-amplitude, amplitude).
    double Signed(double amplitude)
    {
        Step();
        return amplitude * (static_cast<double>(mState >> 8) / 8388608.0 - 1.0);
    }

private:
    void Step() { mState = mState * 1664525u + 1013904223u; }

    uint32_t mState;
};

// White noise in [-amplitude, amplitude) from TestRandom.
inline std::vector<double> WhiteNoise(int frames, double amplitude, uint32_t seed)
{
    std::vector<double> samples(static_cast<size_t>(frames));
    TestRandom random(seed);
    for (double& sample : samples)
        sample = random.Signed(amplitude);
    return samples;
}

// Noise in [-1, 1) from the standard library's Mersenne twister.
inline std::vector<double> UniformNoise(int frames, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    std::vector<double> signal(static_cast<size_t>(frames));
    for (double& x : signal)
        x = noise(random);
    return signal;
}

// A sine of `frequency` Hz at `rate` frames a second, from phase 0.
inline std::vector<double> Sine(size_t frames, double frequency, double rate, double amplitude)
{
    std::vector<double> x(frames);
    for (size_t i = 0; i < frames; ++i)
        x[i] = amplitude * std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(i) / rate);
    return x;
}
