#pragma once

#include <cstdint>

namespace Dsp {

enum FilterKind : int32_t {
    kLowPassKind = 0,
    kHighPassKind = 1,
    kBandPassKind = 2,
    kBandStopKind = 3,
    kLowShelfKind = 4,
    kHighShelfKind = 5,
    kBandShelfKind = 6,
};

} // namespace Dsp
