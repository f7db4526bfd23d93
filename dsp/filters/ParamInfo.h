#pragma once

#include <cstdint>
#include <string>

namespace Dsp {

enum ParamId : int32_t {
    kSampleRateId = 0,
    kFrequencyId = 1,
    kResonanceId = 2,
    kBandwidthOctavesId = 3,
    kBandwidthHzId = 4,
    kGainId = 5,
    kOrderId = 7,
    kRippleId = 8,
    kTransitionWidthId = 10,
};

// Description of one design parameter; the converters take the record itself for its range.
struct ParamInfo {
    int32_t id;
    const char* label;
    const char* name;
    double minValue;
    double maxValue;
    double defaultValue;
    double (*toNormalised)(const ParamInfo& info, double value);
    double (*fromNormalised)(const ParamInfo& info, double normalised);
    std::string (*toText)(const ParamInfo& info, double value);
};

} // namespace Dsp
