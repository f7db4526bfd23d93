#pragma once
// Peak and RMS level of each channel of a rendered buffer.

#include "tools/vsthost/AudioBuffer.h"

#include <vector>

class LevelMeter
{
public:
    struct Level
    {
        double peak = 0.0;
        double rms = 0.0;
    };

    static std::vector<Level> Measure(const AudioBuffer& audio);
    // Decibels relative to full scale; silence reads as a very low finite value.
    static double ToDecibels(double linear);
};
