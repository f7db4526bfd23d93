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

// Parameters: sample rate, order, cutoff frequency, gain (dB). Unity gain at zero frequency.
template <int MaxOrder>
class HighShelf : public PoleZeroDesign<MaxOrder, MaxOrder> {
public:
    static constexpr int32_t kKind = kHighShelfKind;
    static constexpr const char* kName = "Butterworth High Shelf";
    static constexpr int kNumParams = 4;

    HighShelf() : PoleZeroDesign<MaxOrder, MaxOrder>(std::numbers::pi, 1.0) {}

    static ParamInfo GetParamInfo(int index)
    {
        return SelectParamInfo(
            {SampleRateRecord(), OrderRecord(MaxOrder), FrequencyRecord(kCutoffFrequencyName), GainRecord()}, index);
    }

    void SetParams(const FilterParams& p)
    {
        prototype.Design(DesignOrder(p[1], this->kMaxOrder), p[3]);
        AnalogToDigitalHighPass(NormalisedFrequency(p[2], p[0]), this->analog, this->digital);
        this->cascade.SetLayout(this->digital);
    }

private:
    ButterworthShelfPrototype prototype{this->analog};
};

} // namespace Dsp::Butterworth::Design
