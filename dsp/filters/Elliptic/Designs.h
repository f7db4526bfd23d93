#pragma once

#include "dsp/filters/EllipticPrototype.h"
#include "dsp/filters/PrototypeDesign.h"

#include <array>
#include <limits>

namespace Dsp::Elliptic {

// Equal ripple in pass and stop band; its own parameters are the pass-band ripple (dB) and the
// transition width.
struct Family {
    using Prototype = EllipticPrototype;
    static constexpr std::array<const char*, 4> kNames = {"Elliptic Low Pass", "Elliptic High Pass",
                                                          "Elliptic Band Pass", "Elliptic Band Stop"};
    static constexpr int kParamCount = 2;
    static constexpr int kLargestOrder = std::numeric_limits<int>::max();

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo({RippleRecord(), TransitionWidthRecord()}, index);
    }
    static void Design(Prototype& prototype, int order, const double* params)
    {
        prototype.Design(order, params[0], params[1]);
    }
};

namespace Design {
template <int MaxOrder>
using LowPass = PrototypeDesign<Family, Response::LowPass, MaxOrder>;
template <int MaxOrder>
using HighPass = PrototypeDesign<Family, Response::HighPass, MaxOrder>;
template <int MaxOrder>
using BandPass = PrototypeDesign<Family, Response::BandPass, MaxOrder>;
template <int MaxOrder>
using BandStop = PrototypeDesign<Family, Response::BandStop, MaxOrder>;
} // namespace Design

} // namespace Dsp::Elliptic
