#pragma once

#include "dsp/filters/Filter.h"
#include "dsp/units/GlideTimes.h"
#include "dsp/units/TimeConstants.h"

#include <cstdint>

namespace Wezmark
{
// A design's glide lasts as long at `rate` as `framesAtTunedRate` do at 44.1 kHz.
inline void TimeTransition(Dsp::Filter& design, double rate,
                           int32_t framesAtTunedRate = TimeConstants::kDesignTransitionFrames)
{
    design.SetTransitionLength(GlideTimes::FramesAt(framesAtTunedRate, rate));
}
} // namespace Wezmark
