#pragma once

#include "dsp/filters/AnalogToDigital.h"
#include "dsp/filters/DesignLimits.h"
#include "dsp/filters/FilterKind.h"
#include "dsp/filters/FilterParams.h"
#include "dsp/filters/ParamRecords.h"
#include "dsp/filters/PoleZeroDesign.h"

#include <cstdint>

namespace Dsp {

// The responses that an analog low-pass prototype is transformed into.
enum class Response { LowPass, HighPass, BandPass, BandStop };

constexpr bool IsBand(Response response)
{
    return response == Response::BandPass || response == Response::BandStop;
}

// A digital design from the analog low-pass prototype of a Family, transformed into one
// response. Parameters: sample rate, order, cutoff frequency (centre frequency for a band),
// for a band its bandwidth (Hz), then the family's own. Bands report the high-pass kind.
//
// A Family names its Prototype, kNames (one per response it offers), kParamCount,
// kLargestOrder, GetParamInfo for its own parameters from 0, and Design, which designs the
// prototype for an order from its own parameters.
template <class Family, Response R, int MaxOrder>
class PrototypeDesign : public PoleZeroDesign<MaxOrder, IsBand(R) ? 2 * MaxOrder : MaxOrder> {
    using Storage = PoleZeroDesign<MaxOrder, IsBand(R) ? 2 * MaxOrder : MaxOrder>;
    static constexpr int kFirstFamilyParam = IsBand(R) ? 4 : 3;

public:
    static_assert(MaxOrder <= Family::kLargestOrder);
    static constexpr int32_t kKind = R == Response::LowPass ? kLowPassKind : kHighPassKind;
    static constexpr const char* kName = Family::kNames[static_cast<int>(R)];
    static constexpr int kNumParams = kFirstFamilyParam + Family::kParamCount;

    PrototypeDesign() : Storage(0.0, 1.0) {}

    static ParamInfo GetParamInfo(int index)
    {
        if (index >= kFirstFamilyParam)
            return Family::GetParamInfo(index - kFirstFamilyParam);
        if constexpr (IsBand(R))
            return SelectParamInfo({SampleRateRecord(), OrderRecord(MaxOrder), FrequencyRecord(kCenterFrequencyName),
                                    BandwidthHzRecord()},
                                   index);
        else
            return SelectParamInfo({SampleRateRecord(), OrderRecord(MaxOrder), FrequencyRecord(kCutoffFrequencyName)},
                                   index);
    }

    void SetParams(const FilterParams& p)
    {
        Family::Design(prototype, DesignOrder(p[1], this->kMaxOrder), p.data() + kFirstFamilyParam);
        const double w = NormalisedFrequency(p[2], p[0]);
        if constexpr (R == Response::LowPass)
            AnalogToDigitalLowPass(w, this->analog, this->digital);
        else if constexpr (R == Response::HighPass)
            AnalogToDigitalHighPass(w, this->analog, this->digital);
        else if constexpr (R == Response::BandPass)
            AnalogToDigitalBandPass(w, p[3] / p[0], this->analog, this->digital);
        else
            AnalogToDigitalBandStop(w, p[3] / p[0], this->analog, this->digital);
        this->cascade.SetLayout(this->digital);
    }

private:
    typename Family::Prototype prototype{this->analog};
};

} // namespace Dsp
