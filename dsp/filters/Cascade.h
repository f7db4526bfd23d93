#pragma once

#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/PoleZeroLayout.h"

#include <cstdint>
#include <limits>
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
    // z^-1 and z^-2 on the unit circle at f cycles per sample.
    struct Points {
        Complex e1;
        Complex e2;
    };

    static Points UnitCirclePoints(double f);
    Complex ResponseAt(const Points& points) const;

    std::span<BiquadSection> stages;
    int32_t numStages = 0;
    double normalW = 0.0;
    // The points of the last normalisation, at normalF; none at first.
    double normalF = std::numeric_limits<double>::quiet_NaN();
    Points normalPoints;
};

} // namespace Dsp
