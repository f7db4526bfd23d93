#pragma once

#include <cstdint>

// One legal pair of input and output channel counts.
struct ChannelIOPair
{
    int32_t inputs;
    int32_t outputs;
};
