#pragma once

#include "dsp/filters/BesselPrototype.h"
#include "dsp/filters/PolynomialRootFinder.h"
#include "dsp/filters/PrototypeDesign.h"

#include <array>

namespace Dsp::Bessel {

// Maximally flat group delay; no parameters of its own. Its poles are the roots of a
// polynomial, which bounds the order.
struct Family {
    using Prototype = BesselPrototype;
    static constexpr std::array<const char*, 4> kNames = {"Bessel Low Pass", "Bessel High Pass", "Bessel Band Pass",
                                                          "Bessel Band Stop"};
    static constexpr int kParamCount = 0;
    static constexpr int kLargestOrder = PolynomialRootFinder::kMaxDegree;

    static ParamInfo GetParamInfo(int index) { return SelectParamInfo({}, index); }
    static void Design(Prototype& prototype, int order, const double*)
    {
        PolynomialRootFinder finder;
        prototype.Design(order, finder);
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

} // namespace Dsp::Bessel
