#pragma once

#include "dsp/filters/Cascade.h"
#include "dsp/filters/Complex.h"
#include "dsp/filters/GlideSection.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace Dsp {

// A cascade in the form that tolerates coefficient changes at every sample. A designed
// cascade carries its whole normalisation in its first stage, so at a low cutoff the later
// stages have gains of 1e5 and more and the signal between stages is tiny: any disturbance
// of an early stage comes out multiplied by them. Here every stage after the first is
// brought to unit magnitude at the cascade's normalisation frequency, and the first stage
// takes what they gave up, so that every signal between stages is at the output's level.
template <int MaxStages>
class GlideCascade {
public:
    int32_t GetNumStages() const { return numStages; }
    const GlideSection& GetSection(int index) const { return sections[index]; }
    // The factor between the signal entering the stage here and in the designed cascade.
    double GetInputScale(int index) const { return inputScales[index]; }

    void Set(const Cascade& cascade)
    {
        numStages = cascade.GetNumStages();
        if (numStages == 0)
            return;
        const double w = cascade.GetNormalW();
        // Designs that differ in their cutoff alone share the normalisation frequency.
        if (numStages > 1 && !(w == pointsW)) {
            pointsW = w;
            e1 = std::polar(1.0, -w);
            e2 = e1 * e1;
        }
        std::array<double, MaxStages> gains;
        gains[0] = 1.0;
        for (int i = 1; i < numStages; ++i) {
            const BiquadSection& stage = cascade.GetStage(i);
            const double gain = std::abs(stage.Denominator(e1, e2)) / std::abs(stage.Numerator(e1, e2));
            // A stage with a zero at that frequency keeps its gain.
            gains[i] = std::isfinite(gain) && gain > 0.0 ? gain : 1.0;
            gains[0] /= gains[i];
        }
        double scale = 1.0;
        for (int i = 0; i < numStages; ++i) {
            inputScales[i] = scale;
            sections[i] = GlideSection::FromBiquad(cascade.GetStage(i), gains[i]);
            scale *= gains[i];
        }
    }

    // The sections blended from `from` (at 0) to `to` (at 1), which have as many stages; the
    // input scales stay as they were, since only the memory's moves in and out of glide form
    // use them, and those take a cascade set from a design.
    void SetBetween(const GlideCascade& from, const GlideCascade& to, double position)
    {
        numStages = to.numStages;
        for (int i = 0; i < numStages; ++i)
            sections[i] = GlideSection::Between(from.sections[i], to.sections[i], position);
    }

private:
    std::array<GlideSection, MaxStages> sections{};
    std::array<double, MaxStages> inputScales{};
    int32_t numStages = 0;
    // z^-1 and z^-2 at the normalisation frequency pointsW of the last Set; none at first.
    double pointsW = std::numeric_limits<double>::quiet_NaN();
    Complex e1;
    Complex e2;
};

} // namespace Dsp
