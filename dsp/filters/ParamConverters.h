#pragma once

#include "dsp/filters/ParamInfo.h"

#include <string>

namespace Dsp {

double LinearToNormalised(const ParamInfo& info, double value);
double LinearFromNormalised(const ParamInfo& info, double normalised);
double NearestIntegerFromNormalised(const ParamInfo& info, double normalised);
double Log15ToNormalised(const ParamInfo& info, double value);
double Pow15FromNormalised(const ParamInfo& info, double normalised);
// For these two the record's range holds exponents of 2.
double Log2ToNormalised(const ParamInfo& info, double value);
double Pow2FromNormalised(const ParamInfo& info, double normalised);

std::string IntegerText(const ParamInfo& info, double value);
std::string HertzText(const ParamInfo& info, double value);
std::string FixedText(const ParamInfo& info, double value);
std::string DecibelText(const ParamInfo& info, double value);

} // namespace Dsp
