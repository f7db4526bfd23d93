#pragma once

#include "dsp/filters/AnalogToDigital.h"
#include "dsp/filters/BesselPrototype.h"
#include "dsp/filters/DesignLimits.h"
#include "dsp/filters/FilterKind.h"
#include "dsp/filters/FilterParams.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/PoleZeroDesign.h"
#include "dsp/filters/PolynomialRootFinder.h"

namespace Dsp::Bessel::Design {

// Parameters: sample rate, order, center frequency, bandwidth (Hz). Reports the high-pass kind.
template <int MaxOrder>
class BandPass : public PoleZeroDesign<MaxOrder, 2 * MaxOrder> {
public:
    static_assert(MaxOrder <= PolynomialRootFinder::kMaxDegree);
    static constexpr int32_t kKind = kHighPassKind;
    static constexpr const char* kName = "Bessel Band Pass";
    static constexpr int kNumParams = 4;

    BandPass() : PoleZeroDesign<MaxOrder, 2 * MaxOrder>(0.0, 1.0) {}

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo({SampleRateRecord(), OrderRecord(MaxOrder), FrequencyRecord(kCenterFrequencyName),
                                BandwidthHzRecord()},
                               index);
    }

    void SetParams(const FilterParams& p)
    {
        PolynomialRootFinder finder;
        prototype.Design(DesignOrder(p[1], this->kMaxOrder), finder);
        AnalogToDigitalBandPass(NormalisedFrequency(p[2], p[0]), p[3] / p[0], this->analog, this->digital);
        this->cascade.SetLayout(this->digital);
    }

private:
    BesselPrototype prototype{this->analog};
};

} // namespace Dsp::Bessel::Design
