#pragma once

#include "dsp/filters/PoleZeroLayout.h"

#include <cstdint>

namespace Dsp {

// Analog Butterworth low pass with a cutoff of 1 rad/s, written into the given layout.
class ButterworthPrototype {
public:
    explicit ButterworthPrototype(PoleZeroLayout& layout);

    // Does nothing when the order equals that of the last run.
    void Design(int order);

private:
    PoleZeroLayout& layout;
    int32_t designedOrder = -1;
};

} // namespace Dsp
