#pragma once

#include <cmath>

// An amplitude ratio in dB.
inline double Decibels(double ratio)
{
    return 20.0 * std::log10(ratio);
}

// A power (mean square) ratio in dB.
inline double PowerDecibels(double ratio)
{
    return 10.0 * std::log10(ratio);
}

// The amplitude ratio of a level in dB.
inline double GainOfDecibels(double db)
{
    return std::pow(10.0, db / 20.0);
}
