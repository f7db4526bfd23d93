#pragma once

#include "dsp/filters/ButterworthPrototype.h"
#include "dsp/filters/PrototypeDesign.h"

#include <array>
#include <limits>

namespace Dsp::Butterworth {

// Maximally flat pass band; no parameters of its own.
struct Family {
    using Prototype = ButterworthPrototype;
    static constexpr std::array<const char*, 4> kNames = {"Butterworth Low Pass", "Butterworth High Pass",
                                                          "Butterworth Band Pass", "Butterworth Band Stop"};
    static constexpr int kParamCount = 0;
    static constexpr int kLargestOrder = std::numeric_limits<int>::max();

    static ParamInfo GetParamInfo(int index) { return SelectParamInfo({}, index); }
    static void Design(Prototype& prototype, int order, const double*) { prototype.Design(order); }
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

} // namespace Dsp::Butterworth
