#pragma once

#include <array>
#include <cstdint>

// The second-order anti-alias low-pass of the Resampler: one set of coefficients and the
// histories of up to 256 passes.
class ResamplerFilter
{
public:
    static constexpr int32_t kPassCount = 256;

    // Designs the low-pass at `position` (fraction of Nyquist) with quality q; a position within
    // 1e-6 of the last design keeps the coefficients.
    void BuildLowPass(double position, double q);

    // Filters n samples of `in` into `out` (which may be the same array) with the history of `pass`.
    void Apply(const double* in, double* out, int32_t n, int32_t pass);

    void ClearHistories();

private:
    struct History
    {
        double x1 = 0.0;
        double x2 = 0.0;
        double y1 = 0.0;
        double y2 = 0.0;
    };

    double mLastPosition = -1.0;
    double mA1 = 0.0;
    double mA2 = 0.0;
    double mB0 = 0.0;
    double mB1 = 0.0;
    double mB2 = 0.0;
    std::array<History, kPassCount> mHistories{};
};
