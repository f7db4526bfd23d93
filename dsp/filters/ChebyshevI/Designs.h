#pragma once

#include "dsp/filters/ChebyshevIPrototype.h"
#include "dsp/filters/PrototypeDesign.h"

#include <array>
#include <limits>

namespace Dsp::ChebyshevI {

// Equal ripple in the pass band; its own parameter is that ripple (dB).
struct Family {
    using Prototype = ChebyshevIPrototype;
    static constexpr std::array<const char*, 2> kNames = {"Chebyshev I Low Pass", "Chebyshev I High Pass"};
    static constexpr int kParamCount = 1;
    static constexpr int kLargestOrder = std::numeric_limits<int>::max();

    static ParamInfo GetParamInfo(int index) { return SelectParamInfo({RippleRecord()}, index); }
    static void Design(Prototype& prototype, int order, const double* params) { prototype.Design(order, params[0]); }
};

namespace Design {
template <int MaxOrder>
using LowPass = PrototypeDesign<Family, Response::LowPass, MaxOrder>;
template <int MaxOrder>
using HighPass = PrototypeDesign<Family, Response::HighPass, MaxOrder>;
} // namespace Design

} // namespace Dsp::ChebyshevI
