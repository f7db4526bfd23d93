#pragma once

#include "dsp/filters/AnalogToDigital.h"
#include "dsp/filters/ButterworthPrototype.h"
#include "dsp/filters/DesignLimits.h"
#include "dsp/filters/FilterKind.h"
#include "dsp/filters/FilterParams.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/PoleZeroDesign.h"

namespace Dsp::Butterworth::Design {

// Parameters: sample rate, order, center frequency, bandwidth (Hz). Reports the high-pass kind.
template <int MaxOrder>
class BandStop : public PoleZeroDesign<MaxOrder, 2 * MaxOrder> {
public:
    static constexpr int32_t kKind = kHighPassKind;
    static constexpr const char* kName = "Butterworth Band Stop";
    static constexpr int kNumParams = 4;

    BandStop() : PoleZeroDesign<MaxOrder, 2 * MaxOrder>(0.0, 1.0) {}

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo({SampleRateRecord(), OrderRecord(MaxOrder), FrequencyRecord(kCenterFrequencyName),
                                BandwidthHzRecord()},
                               index);
    }

    void SetParams(const FilterParams& p)
    {
        prototype.Design(DesignOrder(p[1], this->kMaxOrder));
        AnalogToDigitalBandStop(NormalisedFrequency(p[2], p[0]), p[3] / p[0], this->analog, this->digital);
        this->cascade.SetLayout(this->digital);
    }

private:
    ButterworthPrototype prototype{this->analog};
};

} // namespace Dsp::Butterworth::Design
