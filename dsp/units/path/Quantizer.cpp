#include "dsp/units/path/Quantizer.h"

#include "dsp/units/curves/CurvePoints.h"

#include <cmath>

namespace
{

// Truncation in double arithmetic: the same as a conversion to a 64-bit integer wherever
// that is defined, and still finite where the product leaves the integer range.
double Quantized(double x, double factor)
{
    return FiniteOrZero(std::trunc(factor * FiniteOrZero(x)) / factor);
}

} // namespace

void Quantizer::ProcessBlock(double* const io[2], int32_t n) const
{
    if (bypassed || amount >= kOff)
        return;
    for (int32_t i = 0; i < n; ++i)
    {
        io[0][i] = Quantized(io[0][i], factor);
        io[1][i] = Quantized(io[1][i], factor);
    }
}
