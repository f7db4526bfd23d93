#pragma once

#include "dsp/filters/AnalogToDigital.h"
#include "dsp/filters/DesignLimits.h"
#include "dsp/filters/EllipticPrototype.h"
#include "dsp/filters/FilterKind.h"
#include "dsp/filters/FilterParams.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/PoleZeroDesign.h"

namespace Dsp::Elliptic::Design {

// Parameters: sample rate, order, cutoff frequency, pass-band ripple (dB), transition width.
template <int MaxOrder>
class LowPass : public PoleZeroDesign<MaxOrder, MaxOrder> {
public:
    static constexpr int32_t kKind = kLowPassKind;
    static constexpr const char* kName = "Elliptic Low Pass";
    static constexpr int kNumParams = 5;

    LowPass() : PoleZeroDesign<MaxOrder, MaxOrder>(0.0, 1.0) {}

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo({SampleRateRecord(), OrderRecord(MaxOrder), FrequencyRecord(kCutoffFrequencyName),
                                RippleRecord(), TransitionWidthRecord()},
                               index);
    }

    void SetParams(const FilterParams& p)
    {
        prototype.Design(DesignOrder(p[1], this->kMaxOrder), p[3], p[4]);
        AnalogToDigitalLowPass(NormalisedFrequency(p[2], p[0]), this->analog, this->digital);
        this->cascade.SetLayout(this->digital);
    }

private:
    EllipticPrototype prototype{this->analog};
};

} // namespace Dsp::Elliptic::Design
