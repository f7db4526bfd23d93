#pragma once

#include "dsp/filters/FilterKind.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/RBJ/BiquadDesign.h"

namespace Dsp::RBJ::Design {

// Parameters: sample rate, center frequency, a Q value (the octave bandwidth record). A notch.
class BandStop : public BiquadDesign {
public:
    static constexpr int32_t kKind = kBandStopKind;
    static constexpr const char* kName = "RBJ Band Stop";

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo({SampleRateRecord(), FrequencyRecord(kCenterFrequencyName), BandwidthOctavesRecord()},
                               index);
    }

    void SetParams(const FilterParams& p) { Design(p, Coefficients); }

private:
    static Numerator Coefficients(double cosW0, double, double)
    {
        return {1.0, -2.0 * cosW0, 1.0};
    }
};

} // namespace Dsp::RBJ::Design
