#include "plugin/ParamConversions.h"

#include "dsp/units/path/RoundedIndex.h"

#include <algorithm>
#include <cmath>

namespace
{
// The filter library's frequency scale: 10 to 22040 Hz, logarithmic to base 1.5.
constexpr double kCutoffBase = 1.5;
constexpr double kCutoffLowest = 10.0;
constexpr double kCutoffHighest = 22040.0;
constexpr double kCutoffFloor = 20.0;
constexpr double kCutoffCeiling = 21000.0;

constexpr double kSwitchThreshold = 0.5;
constexpr double kQuantizerBitRange = 63.0;
constexpr double kQuantizerFewestBits = 1.0;

double Logarithm(double x)
{
    return std::log(x) / std::log(kCutoffBase);
}

// Worked out once: automation maps a cutoff many times a block.
const double kLogCutoffLowest = Logarithm(kCutoffLowest);
const double kLogCutoffSpan = Logarithm(kCutoffHighest) - kLogCutoffLowest;
}

namespace ParamConversions
{
double CutoffHz(double p)
{
    const double hz = std::pow(kCutoffBase, kLogCutoffLowest + p * kLogCutoffSpan);
    return std::clamp(hz, kCutoffFloor, kCutoffCeiling);
}

double CutoffPosition(double hz)
{
    const double limited = std::clamp(hz, kCutoffFloor, kCutoffCeiling);
    return std::clamp((Logarithm(limited) - kLogCutoffLowest) / kLogCutoffSpan, 0.0, 1.0);
}

uint32_t Steps(double p, int steps)
{
    return RoundedIndex(steps * p);
}

bool IsOff(double p)
{
    return p == 0.0;
}

bool IsOn(double p)
{
    return !IsOff(p);
}

bool IsAboveHalf(double p)
{
    return p > kSwitchThreshold;
}

double ReducerRatio(double p)
{
    return p * p * p;
}

double ReducerPosition(double ratio)
{
    return std::cbrt(std::clamp(ratio, 0.0, 1.0));
}

double GateThreshold(double p)
{
    return p * p * p * p;
}

double GatePosition(double threshold)
{
    return std::sqrt(std::sqrt(std::clamp(threshold, 0.0, 1.0)));
}

double QuantizerAmount(double p)
{
    return p * p;
}

double QuantizerBits(double p)
{
    return kQuantizerFewestBits + kQuantizerBitRange * QuantizerAmount(p);
}

double QuantizerPosition(double bits)
{
    return std::sqrt(std::clamp((bits - kQuantizerFewestBits) / kQuantizerBitRange, 0.0, 1.0));
}
}
