#pragma once

#include "dsp/filters/PoleZeroLayout.h"

#include <cstdint>

namespace Dsp {

// Analog Butterworth low shelf: gain in dB below 1 rad/s, unity far above it.
class ButterworthShelfPrototype {
public:
    explicit ButterworthShelfPrototype(PoleZeroLayout& layout);

    // Does nothing when order and gain equal those of the last run.
    void Design(int order, double gainDb);

private:
    PoleZeroLayout& layout;
    int32_t designedOrder = -1;
    double designedGainDb = 0.0;
};

} // namespace Dsp
