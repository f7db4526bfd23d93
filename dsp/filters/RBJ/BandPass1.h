#pragma once

#include "dsp/filters/FilterKind.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/RBJ/BiquadDesign.h"

namespace Dsp::RBJ::Design {

// Parameters: sample rate, center frequency, a Q value (the octave bandwidth record). Constant
// skirt gain: the peak gain is Q.
class BandPass1 : public BiquadDesign {
public:
    static constexpr int32_t kKind = kBandPassKind;
    static constexpr const char* kName = "RBJ Band Pass 1";

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo({SampleRateRecord(), FrequencyRecord(kCenterFrequencyName), BandwidthOctavesRecord()},
                               index);
    }

    void SetParams(const FilterParams& p) { Design(p, Coefficients); }

private:
    static Numerator Coefficients(double, double alpha, double q)
    {
        return {q * alpha, 0.0, -q * alpha};
    }
};

} // namespace Dsp::RBJ::Design
