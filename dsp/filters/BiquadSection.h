#pragma once

#include "dsp/filters/Complex.h"
#include "dsp/filters/PoleZeroPair.h"

namespace Dsp {

// One second-order section: (b0 + b1 z^-1 + b2 z^-2) / (1 + a1 z^-1 + a2 z^-2). a0 is the
// leading denominator coefficient as built; the other five are stored divided by it.
struct BiquadSection {
    struct PoleZeros {
        PoleZeroPair pair;
        double gain;
    };

    double a0 = 0.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double b0 = 0.0;

    void SetPoleZeroPair(const PoleZeroPair& pair);
    PoleZeros GetPoleZeroPair() const;
    Complex Numerator(const Complex& e1, const Complex& e2) const { return b0 + b1 * e1 + b2 * e2; }
    Complex Denominator(const Complex& e1, const Complex& e2) const { return 1.0 + a1 * e1 + a2 * e2; }
    Complex Response(double f) const;
};

} // namespace Dsp
