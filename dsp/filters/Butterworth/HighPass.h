#pragma once

#include "dsp/filters/AnalogToDigital.h"
#include "dsp/filters/ButterworthPrototype.h"
#include "dsp/filters/DesignLimits.h"
#include "dsp/filters/FilterKind.h"
#include "dsp/filters/FilterParams.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/PoleZeroDesign.h"

namespace Dsp::Butterworth::Design {

// Parameters: sample rate, order, cutoff frequency.
template <int MaxOrder>
class HighPass : public PoleZeroDesign<MaxOrder, MaxOrder> {
public:
    static constexpr int32_t kKind = kHighPassKind;
    static constexpr const char* kName = "Butterworth High Pass";
    static constexpr int kNumParams = 3;

    HighPass() : PoleZeroDesign<MaxOrder, MaxOrder>(0.0, 1.0) {}

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo({SampleRateRecord(), OrderRecord(MaxOrder), FrequencyRecord(kCutoffFrequencyName)},
                               index);
    }

    void SetParams(const FilterParams& p)
    {
        prototype.Design(DesignOrder(p[1], this->kMaxOrder));
        AnalogToDigitalHighPass(NormalisedFrequency(p[2], p[0]), this->analog, this->digital);
        this->cascade.SetLayout(this->digital);
    }

private:
    ButterworthPrototype prototype{this->analog};
};

} // namespace Dsp::Butterworth::Design
