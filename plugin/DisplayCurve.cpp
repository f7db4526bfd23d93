#include "plugin/DisplayCurve.h"

#include <algorithm>

DisplayCurve::DisplayCurve(int32_t size)
    : mValues(std::make_unique<std::atomic<double>[]>(static_cast<size_t>(std::max(size, 0)))),
      mSize(std::max(size, 0))
{
}

double DisplayCurve::Get(int32_t i) const
{
    return i >= 0 && i < mSize ? mValues[static_cast<size_t>(i)].load(std::memory_order_relaxed) : 0.0;
}

void DisplayCurve::Set(int32_t i, double value)
{
    if (i >= 0 && i < mSize)
        mValues[static_cast<size_t>(i)].store(value, std::memory_order_relaxed);
}

void DisplayCurve::Assign(std::span<const double> values)
{
    const int32_t n = std::min(mSize, static_cast<int32_t>(values.size()));
    for (int32_t i = 0; i < n; ++i)
        Set(i, values[static_cast<size_t>(i)]);
}
