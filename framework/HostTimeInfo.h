#pragma once

#include <cstdint>

// Transport and time as the host reports it; positions in samples and quarter notes.
struct HostTimeInfo
{
    double tempo = 0.0;
    double samplePos = 0.0;
    double ppqPos = 0.0;
    double lastBar = 0.0;
    double cycleStart = 0.0;
    double cycleEnd = 0.0;
    int32_t numerator = 0;
    int32_t denominator = 0;
    bool playing = false;
    bool looping = false;
};
