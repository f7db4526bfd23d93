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

// Parameters: sample rate, order, cutoff frequency.
template <int MaxOrder>
class LowPass : public PoleZeroDesign<MaxOrder, MaxOrder> {
public:
    static_assert(MaxOrder <= PolynomialRootFinder::kMaxDegree);
    static constexpr int32_t kKind = kLowPassKind;
    static constexpr const char* kName = "Bessel Low Pass";
    static constexpr int kNumParams = 3;

    LowPass() : PoleZeroDesign<MaxOrder, MaxOrder>(0.0, 1.0) {}

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo({SampleRateRecord(), OrderRecord(MaxOrder), FrequencyRecord(kCutoffFrequencyName)},
                               index);
    }

    void SetParams(const FilterParams& p)
    {
        PolynomialRootFinder finder;
        prototype.Design(DesignOrder(p[1], this->kMaxOrder), finder);
        AnalogToDigitalLowPass(NormalisedFrequency(p[2], p[0]), this->analog, this->digital);
        this->cascade.SetLayout(this->digital);
    }

private:
    BesselPrototype prototype{this->analog};
};

} // namespace Dsp::Bessel::Design
