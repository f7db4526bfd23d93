#pragma once

#include "dsp/filters/Filter.h"
#include "dsp/units/GlideTimes.h"

#include <cstdint>

namespace Wezmark
{
// The designs' own glide to new settings, in frames at 44.1 kHz.
inline constexpr int32_t kTunedTransitionFrames = 256;

// A design's glide lasts as long at `rate` as `framesAtTunedRate` do at 44.1 kHz.
inline void TimeTransition(Dsp::Filter& design, double rate, int32_t framesAtTunedRate = kTunedTransitionFrames)
{
    design.SetTransitionLength(GlideTimes::FramesAt(framesAtTunedRate, rate));
}
} // namespace Wezmark
