#pragma once

#include "dsp/units/curves/CurveId.h"

#include <string_view>

// The curve id of a display name or of an older name that program files may carry; exact and
// case-sensitive; 0 for any other text ("Linear" included).
CurveId ParseCurveName(std::string_view text);
