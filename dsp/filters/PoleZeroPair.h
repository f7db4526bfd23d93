#pragma once

#include "dsp/filters/Complex.h"

namespace Dsp {

// The poles and zeros of one second-order section. A first-order section keeps pole2 and
// zero2 at exactly 0 and counts only pole1 and zero1.
struct PoleZeroPair {
    Complex pole1;
    Complex pole2;
    Complex zero1;
    Complex zero2;

    bool IsSingle() const { return pole2 == Complex() && zero2 == Complex(); }
};

} // namespace Dsp
