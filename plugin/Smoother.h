#pragma once

// A one-pole glide toward a target, stepped once per frame.
struct Smoother
{
    // The complement is 1 - coefficient as computed in doubles, so a settled value is exact.
    void SetCoefficient(double keep)
    {
        coefficient = keep;
        complement = 1.0 - keep;
    }

    double Step(double target)
    {
        value = coefficient * value + complement * target;
        return value;
    }

    double coefficient = 0.99;
    double complement = 0.01;
    double value = 0.0;
};
