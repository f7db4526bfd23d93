#pragma once

#include "dsp/filters/PoleZeroLayout.h"

#include <cstdint>

namespace Dsp {

// Analog Chebyshev type I low pass, ripple band up to 1 rad/s; also sets the layout's
// reference point (the bottom of the ripple at zero frequency for even orders).
class ChebyshevIPrototype {
public:
    explicit ChebyshevIPrototype(PoleZeroLayout& layout);

    // Does nothing when order and ripple equal those of the last run.
    void Design(int order, double rippleDb);

private:
    PoleZeroLayout& layout;
    int32_t designedOrder = -1;
    double designedRippleDb = 0.0;
};

} // namespace Dsp
