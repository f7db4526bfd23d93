#pragma once

#include "dsp/filters/Cascade.h"
#include "dsp/filters/PoleZeroLayout.h"

#include <array>
#include <vector>

namespace Dsp {

// Storage of a design built from an analog prototype: the analog layout, the digital layout
// and the cascade, sized for the design's maximum order. The layouts point into the
// object's own arrays, so it is neither copied nor moved.
template <int AnalogCapacity, int DigitalCapacity>
class PoleZeroDesign {
public:
    static constexpr int kMaxStages = (DigitalCapacity + 1) / 2;
    // An odd maximum order still holds the next even order in its last pair.
    static constexpr int kMaxOrder = 2 * ((AnalogCapacity + 1) / 2);

    PoleZeroDesign(const PoleZeroDesign&) = delete;
    PoleZeroDesign& operator=(const PoleZeroDesign&) = delete;

    const Cascade& GetCascade() const { return cascade; }
    const PoleZeroLayout& GetDigitalLayout() const { return digital; }
    std::vector<PoleZeroPair> GetPoleZeroPairs() const { return digital.GetPairs(); }

protected:
    PoleZeroDesign(double analogNormalW, double analogNormalGain)
        : analog(analogPairs, analogNormalW, analogNormalGain), digital(digitalPairs, 0.0, 1.0), cascade(stages)
    {
    }

    std::array<PoleZeroPair, (AnalogCapacity + 1) / 2> analogPairs{};
    std::array<PoleZeroPair, (DigitalCapacity + 1) / 2> digitalPairs{};
    std::array<BiquadSection, kMaxStages> stages{};
    PoleZeroLayout analog;
    PoleZeroLayout digital;
    Cascade cascade;
};

} // namespace Dsp
