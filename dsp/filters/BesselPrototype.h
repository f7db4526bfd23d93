#pragma once

#include "dsp/filters/PoleZeroLayout.h"
#include "dsp/filters/PolynomialRootFinder.h"

#include <cstdint>

namespace Dsp {

// Analog Bessel low pass normalised for unit delay at zero frequency: the poles are the roots
// of the reverse Bessel polynomial.
class BesselPrototype {
public:
    explicit BesselPrototype(PoleZeroLayout& layout);

    // Does nothing when the order equals that of the last run; otherwise solves with the
    // given (fresh) root-finder workspace. The root finder's failure propagates.
    void Design(int order, PolynomialRootFinder& finder);

private:
    PoleZeroLayout& layout;
    int32_t designedOrder = -1;
};

} // namespace Dsp
