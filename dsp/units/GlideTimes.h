#pragma once

#include <cmath>
#include <cstdint>

// Glides, fades and crossfades are times (TimeConstants.h), tuned at 44.1 kHz; these turn them
// into frames, steps and one-pole coefficients at the rate the plug-in runs at, so that each
// lasts as long at every rate and sounds as it did at 44.1 kHz.
namespace GlideTimes
{
inline constexpr double kTunedRate = 44100.0;

inline bool Usable(double rate)
{
    return std::isfinite(rate) && rate > 0.0;
}

inline int32_t Frames(double seconds, double rate)
{
    return static_cast<int32_t>(std::lround(seconds * (Usable(rate) ? rate : kTunedRate)));
}

// A linear fade's step per frame at `rate` for one of `stepAtTunedRate` at the tuned rate.
inline double Step(double stepAtTunedRate, double rate)
{
    return Usable(rate) && rate != kTunedRate ? stepAtTunedRate * kTunedRate / rate : stepAtTunedRate;
}

// The one-pole coefficient that glides at `rate` as `keepAtTunedRate` does at the tuned rate.
inline double Keep(double keepAtTunedRate, double rate)
{
    return Usable(rate) && rate != kTunedRate ? std::pow(keepAtTunedRate, kTunedRate / rate) : keepAtTunedRate;
}
} // namespace GlideTimes

namespace GlideTimes
{
// A length tuned in frames at the tuned rate, as frames at `rate`.
inline int32_t FramesAt(int32_t framesAtTunedRate, double rate)
{
    return Usable(rate) ? static_cast<int32_t>(std::lround(framesAtTunedRate * rate / kTunedRate)) : framesAtTunedRate;
}
} // namespace GlideTimes
