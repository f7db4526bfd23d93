#pragma once

#include "framework/GrowBuffer.h"
#include "framework/GrowString.h"

// One input channel: whether the host feeds it, the slot of the input pointer array
// that the block routine reads, and a block-sized scratch buffer of doubles.
struct InChannel
{
    static constexpr int32_t kLabelGranularity = 128;

    double* Scratch() const { return static_cast<double*>(scratch.Data()); }

    bool connected = false;
    double** source = nullptr;
    GrowBuffer scratch;
    GrowString label{kLabelGranularity};
};
