#pragma once

#include "framework/GrowBuffer.h"
#include "framework/GrowString.h"

// One output channel: whether the host takes it, the slot of the output pointer array
// that the block routine writes, the host's float buffer for single-precision hosts and
// a block-sized scratch buffer of doubles.
struct OutChannel
{
    static constexpr int32_t kLabelGranularity = 128;

    double* Scratch() const { return static_cast<double*>(scratch.Data()); }

    bool connected = false;
    double** destination = nullptr;
    float* floatDestination = nullptr;
    GrowBuffer scratch;
    GrowString label{kLabelGranularity};
};
