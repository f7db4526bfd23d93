#pragma once

#include "dsp/filters/FilterKind.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/RBJ/BiquadDesign.h"

namespace Dsp::RBJ::Design {

// Parameters: sample rate, cutoff frequency, resonance. Unity gain at Nyquist.
class HighPass : public BiquadDesign {
public:
    static constexpr int32_t kKind = kHighPassKind;
    static constexpr const char* kName = "RBJ High Pass";

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo({SampleRateRecord(), FrequencyRecord(kCutoffFrequencyName), ResonanceRecord()}, index);
    }

    void SetParams(const FilterParams& p) { Design(p, Coefficients); }

private:
    static Numerator Coefficients(double cosW0, double, double)
    {
        return {(1.0 + cosW0) / 2.0, -(1.0 + cosW0), (1.0 + cosW0) / 2.0};
    }
};

} // namespace Dsp::RBJ::Design
