#pragma once

#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/PoleZeroLayout.h"

#include <cstdint>
#include <span>

namespace Dsp {

// Second-order sections run in array order, over storage that the owning design holds.
class Cascade {
public:
    explicit Cascade(std::span<BiquadSection> stages);

    int32_t GetNumStages() const { return numStages; }
    const BiquadSection& GetStage(int index) const { return stages[index]; }
    // The frequency (radians per sample) at which the cascade was normalised; 0 for a single
    // stage set directly.
    double GetNormalW() const { return normalW; }

    // One section per pair of the digital layout; the first is scaled so that the magnitude
    // at the layout's normalW is its normalGain.
    void SetLayout(const PoleZeroLayout& layout);
    void SetSingleStage(const BiquadSection& section);
    Complex Response(double f) const;

private:
    std::span<BiquadSection> stages;
    int32_t numStages = 0;
    double normalW = 0.0;
};

} // namespace Dsp
