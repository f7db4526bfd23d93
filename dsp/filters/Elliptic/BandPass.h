#pragma once

#include "dsp/filters/AnalogToDigital.h"
#include "dsp/filters/DesignLimits.h"
#include "dsp/filters/EllipticPrototype.h"
#include "dsp/filters/FilterKind.h"
#include "dsp/filters/FilterParams.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/PoleZeroDesign.h"

namespace Dsp::Elliptic::Design {

// Parameters: sample rate, order, center frequency, bandwidth (Hz), pass-band ripple (dB),
// transition width. Reports the high-pass kind.
template <int MaxOrder>
class BandPass : public PoleZeroDesign<MaxOrder, 2 * MaxOrder> {
public:
    static constexpr int32_t kKind = kHighPassKind;
    static constexpr const char* kName = "Elliptic Band Pass";
    static constexpr int kNumParams = 6;

    BandPass() : PoleZeroDesign<MaxOrder, 2 * MaxOrder>(0.0, 1.0) {}

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo({SampleRateRecord(), OrderRecord(MaxOrder), FrequencyRecord(kCenterFrequencyName),
                                BandwidthHzRecord(), RippleRecord(), TransitionWidthRecord()},
                               index);
    }

    void SetParams(const FilterParams& p)
    {
        prototype.Design(DesignOrder(p[1], this->kMaxOrder), p[4], p[5]);
        AnalogToDigitalBandPass(NormalisedFrequency(p[2], p[0]), p[3] / p[0], this->analog, this->digital);
        this->cascade.SetLayout(this->digital);
    }

private:
    EllipticPrototype prototype{this->analog};
};

} // namespace Dsp::Elliptic::Design
