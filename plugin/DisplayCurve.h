#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>

// Values that one side computes and the editor draws, possibly on another thread. Each value
// is one atomic word, so a reader may see parts of two updates for one redraw but never a torn
// number, and neither side waits for the other.
class DisplayCurve
{
public:
    explicit DisplayCurve(int32_t size);

    int32_t Size() const { return mSize; }
    // 0.0 outside the values.
    double Get(int32_t i) const;
    // Ignored outside the values.
    void Set(int32_t i, double value);
    // As many values as both hold.
    void Assign(std::span<const double> values);

private:
    std::unique_ptr<std::atomic<double>[]> mValues;
    int32_t mSize;
};
