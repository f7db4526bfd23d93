#pragma once

#include "dsp/filters/AnalogToDigital.h"
#include "dsp/filters/ChebyshevIPrototype.h"
#include "dsp/filters/DesignLimits.h"
#include "dsp/filters/FilterKind.h"
#include "dsp/filters/FilterParams.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/PoleZeroDesign.h"

namespace Dsp::ChebyshevI::Design {

// Parameters: sample rate, order, cutoff frequency, pass-band ripple (dB).
template <int MaxOrder>
class LowPass : public PoleZeroDesign<MaxOrder, MaxOrder> {
public:
    static constexpr int32_t kKind = kLowPassKind;
    static constexpr const char* kName = "Chebyshev I Low Pass";
    static constexpr int kNumParams = 4;

    LowPass() : PoleZeroDesign<MaxOrder, MaxOrder>(0.0, 1.0) {}

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo(
            {SampleRateRecord(), OrderRecord(MaxOrder), FrequencyRecord(kCutoffFrequencyName), RippleRecord()}, index);
    }

    void SetParams(const FilterParams& p)
    {
        prototype.Design(DesignOrder(p[1], this->kMaxOrder), p[3]);
        AnalogToDigitalLowPass(NormalisedFrequency(p[2], p[0]), this->analog, this->digital);
        this->cascade.SetLayout(this->digital);
    }

private:
    ChebyshevIPrototype prototype{this->analog};
};

} // namespace Dsp::ChebyshevI::Design
