#pragma once

namespace Dsp {

// Every design frequency and band edge stays at or below this fraction of the sample rate:
// closer to Nyquist the poles leave the unit circle. Below it the value is used unchanged.
inline constexpr double kMaxFrequencyFraction = 0.49;

// The order value truncated toward zero, kept to 1..maxOrder (the storage's capacity).
int DesignOrder(double orderValue, int maxOrder);

// hz / sampleRate, with hz limited to kMaxFrequencyFraction of the sample rate.
double NormalisedFrequency(double hz, double sampleRate);

} // namespace Dsp
