#pragma once

#include "dsp/filters/ParamInfo.h"

#include <initializer_list>

namespace Dsp {

inline constexpr const char* kCutoffFrequencyName = "Cutoff Frequency";
inline constexpr const char* kCenterFrequencyName = "Center Frequency";
inline constexpr const char* kInvalidParamInfoMessage = "invalid usage of ParamInfo";

ParamInfo SampleRateRecord();
ParamInfo FrequencyRecord(const char* name);
ParamInfo ResonanceRecord();
ParamInfo BandwidthOctavesRecord();
ParamInfo BandwidthHzRecord();
ParamInfo GainRecord();
ParamInfo OrderRecord(int maxOrder);
ParamInfo RippleRecord();
ParamInfo TransitionWidthRecord();

// The record at index of a design's list; any other index (negative ones too) throws
// std::logic_error with kInvalidParamInfoMessage.
ParamInfo SelectParamInfo(std::initializer_list<ParamInfo> records, int index);

} // namespace Dsp
