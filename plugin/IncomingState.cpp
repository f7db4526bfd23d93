#include "plugin/IncomingState.h"

void IncomingState::Read(const StateChunk& chunk, int start)
{
    for (int32_t i = 0; i < StateBlock::kCurvePoints; ++i)
        curve[static_cast<size_t>(i)] = StateBlock::ReadCurvePoint(chunk, start, i);
    int position = static_cast<int>(start + StateBlock::kParamsOffset);
    for (double& value : values)
        position = chunk.ReadDouble(value, position);
}
