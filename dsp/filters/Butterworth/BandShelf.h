#pragma once

#include "dsp/filters/AnalogToDigital.h"
#include "dsp/filters/ButterworthShelfPrototype.h"
#include "dsp/filters/DesignLimits.h"
#include "dsp/filters/FilterKind.h"
#include "dsp/filters/FilterParams.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/PoleZeroDesign.h"

#include <numbers>

namespace Dsp::Butterworth::Design {

// Parameters: sample rate, order, center frequency, bandwidth (Hz), gain (dB). Unity gain
// on the side of the spectrum farther from the band.
template <int MaxOrder>
class BandShelf : public PoleZeroDesign<MaxOrder, 2 * MaxOrder> {
public:
    static constexpr int32_t kKind = kBandShelfKind;
    static constexpr const char* kName = "Butterworth Band Shelf";
    static constexpr int kNumParams = 5;

    BandShelf() : PoleZeroDesign<MaxOrder, 2 * MaxOrder>(std::numbers::pi, 1.0) {}

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo({SampleRateRecord(), OrderRecord(MaxOrder), FrequencyRecord(kCenterFrequencyName),
                                BandwidthHzRecord(), GainRecord()},
                               index);
    }

    void SetParams(const FilterParams& p)
    {
        prototype.Design(DesignOrder(p[1], this->kMaxOrder), p[4]);
        const double fc = NormalisedFrequency(p[2], p[0]);
        AnalogToDigitalBandPass(fc, p[3] / p[0], this->analog, this->digital);
        this->digital.normalW = fc < 0.25 ? std::numbers::pi : 0.0;
        this->digital.normalGain = 1.0;
        this->cascade.SetLayout(this->digital);
    }

private:
    ButterworthShelfPrototype prototype{this->analog};
};

} // namespace Dsp::Butterworth::Design
