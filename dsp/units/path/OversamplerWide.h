#pragma once

#include "dsp/SamplePair.h"
#include "dsp/units/path/HalfbandStage.h"

#include <cstdint>

// The oversampler's three stages each way with 256-bit AVX2 and fused multiply-add: both
// chains of a stage side by side in one register. Only for a processor where
// AvailableSimdLevel allows it, on pieces of at most Oversampler::kPieceFrames host frames. The result differs from the portable loops by rounding alone.
void UpThroughStagesWide(HalfbandStage<9>& nearStage, HalfbandStage<3>& middleStage, HalfbandStage<2>& farStage,
                         const SamplePair* low, int32_t count, SamplePair* eightTimes);
void DownThroughStagesWide(HalfbandStage<9>& nearStage, HalfbandStage<3>& middleStage, HalfbandStage<2>& farStage,
                           const SamplePair* eightTimes, int32_t count, SamplePair* low);
// The same for a piece of the split high-rate pair: the far stage writes it, or reads it (values
// that are no number as silence), without an interleaved copy in between.
void UpPieceWide(HalfbandStage<9>& nearStage, HalfbandStage<3>& middleStage, HalfbandStage<2>& farStage,
                 const SamplePair* low, int32_t count, double* left, double* right);
void DownPieceWide(HalfbandStage<9>& nearStage, HalfbandStage<3>& middleStage, HalfbandStage<2>& farStage,
                   const double* left, const double* right, int32_t count, SamplePair* low);
