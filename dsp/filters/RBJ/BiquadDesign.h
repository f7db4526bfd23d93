#pragma once

#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/Cascade.h"
#include "dsp/filters/FilterParams.h"

#include <array>
#include <vector>

namespace Dsp::RBJ {

// Storage and coefficient formulas shared by the single-biquad designs; parameters are
// sample rate, frequency and a Q value. The cascade points into the object's own section.
class BiquadDesign {
public:
    static constexpr int kNumParams = 3;
    static constexpr int kMaxStages = 1;

    struct Numerator {
        double b0;
        double b1;
        double b2;
    };
    using NumeratorFormula = Numerator (*)(double cosW0, double alpha, double q);

    BiquadDesign();
    BiquadDesign(const BiquadDesign&) = delete;
    BiquadDesign& operator=(const BiquadDesign&) = delete;

    const Cascade& GetCascade() const { return cascade; }
    std::vector<PoleZeroPair> GetPoleZeroPairs() const;

protected:
    // The frequency is kept at or below the highest design frequency.
    void Design(const FilterParams& p, NumeratorFormula numerator);

private:
    std::array<BiquadSection, kMaxStages> section{};
    Cascade cascade;
};

} // namespace Dsp::RBJ
