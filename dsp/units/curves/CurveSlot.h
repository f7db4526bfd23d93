#pragma once

#include <cstdint>
#include <vector>

// One curve of the built-in library. Point j belongs to the input x = 2j/(count - 1) - 1; the
// formulas fill the positive half (points half + i) and derive the negative half (half - 1 - i).
struct CurveSlot
{
    static constexpr uint16_t kPointCount = 2048;
    static constexpr int kHalf = kPointCount / 2;

    uint16_t count = kPointCount;
    std::vector<double> points = std::vector<double>(kPointCount, 0.0);

    double& Positive(int i) { return points[kHalf + i]; }
    double& Negative(int i) { return points[kHalf - 1 - i]; }

    // P / Q: the positive point is P, the negative point is -Q (a sign flip, so 0 stores as -0).
    void SetHalves(int i, double positive, double negativeMirror)
    {
        Positive(i) = positive;
        Negative(i) = -negativeMirror;
    }

    void SetOdd(int i, double value) { SetHalves(i, value, value); }
};
