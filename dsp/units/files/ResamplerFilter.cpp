#include "dsp/units/files/ResamplerFilter.h"

#include <cmath>
#include <numbers>

namespace
{
constexpr double kRedesignThreshold = 1e-6;
}

void ResamplerFilter::BuildLowPass(double position, double q)
{
    if (std::fabs(position - mLastPosition) < kRedesignThreshold)
        return;
    mLastPosition = position;
    const double c = std::cos(position * std::numbers::pi);
    const double s = std::sin(position * std::numbers::pi) / (q + q);
    const double k = 1.0 / (s + 1.0);
    mB1 = (1.0 - c) * k;
    mB0 = (1.0 - c) * k * 0.5;
    mB2 = mB0;
    mA1 = c * -2.0 * k;
    mA2 = (1.0 - s) * k;
}

void ResamplerFilter::Apply(const double* in, double* out, int32_t n, int32_t pass)
{
    if (pass < 0 || pass >= kPassCount)
        return;
    History& h = mHistories[pass];
    for (int32_t i = 0; i < n; ++i)
    {
        const double x = in[i];
        double y = h.x1 * mB1 + x * mB0 + h.x2 * mB2 - h.y1 * mA1 - h.y2 * mA2;
        h.x2 = h.x1;
        h.x1 = x;
        h.y2 = h.y1;
        // Zero and subnormal results are flushed, so long decays cost no denormal arithmetic.
        if (std::fpclassify(y) == FP_SUBNORMAL || y == 0.0)
            y = 0.0;
        h.y1 = y;
        out[i] = y;
    }
}

void ResamplerFilter::ClearHistories()
{
    mHistories.fill(History{});
}
