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
class HighPass : public PoleZeroDesign<MaxOrder, MaxOrder> {
public:
    static constexpr int32_t kKind = kHighPassKind;
    static constexpr const char* kName = "Chebyshev I High Pass";
    static constexpr int kNumParams = 4;

    HighPass() : PoleZeroDesign<MaxOrder, MaxOrder>(0.0, 1.0) {}

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo(
            {SampleRateRecord(), OrderRecord(MaxOrder), FrequencyRecord(kCutoffFrequencyName), RippleRecord()}, index);
    }

    void SetParams(const FilterParams& p)
    {
        prototype.Design(DesignOrder(p[1], this->kMaxOrder), p[3]);
        AnalogToDigitalHighPass(NormalisedFrequency(p[2], p[0]), this->analog, this->digital);
        this->cascade.SetLayout(this->digital);
    }

private:
    ChebyshevIPrototype prototype{this->analog};
};

} // namespace Dsp::ChebyshevI::Design
