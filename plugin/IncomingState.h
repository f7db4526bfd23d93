#pragma once

#include "framework/StateChunk.h"
#include "plugin/ParamIndex.h"
#include "plugin/StateBlock.h"

#include <array>

// The curve and the values of a state block, read before a load takes the plug-in lock, so that
// a block waits only while they are copied in. The storage is fixed: a load on the audio thread
// (a program change from the host's process queues) allocates nothing.
struct IncomingState
{
    // From a whole block at `start`, which the caller has checked.
    void Read(const StateChunk& chunk, int start);

    // Points that are no number read as 0.
    std::array<double, StateBlock::kCurvePoints> curve{};
    // As stored; the parameters limit them.
    std::array<double, kTotalParamCount> values{};
};
