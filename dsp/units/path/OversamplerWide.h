#pragma once

#include "dsp/SamplePair.h"
#include "dsp/units/path/HalfbandStage.h"

#include <cstdint>

// The oversampler's three stages each way with 256-bit AVX2 and fused multiply-add: both
// chains of a stage side by side in one register. Only for a processor where
// AvailableSimdLevel allows it, on pieces of at most Oversampler::kPieceFrames host frames. The result differs from the portable loops by rounding alone.

// Up to eight times the rate and straight down again, `count` host frames of `low` in place.
void RoundTripWide(HalfbandStage<9>& nearStage, HalfbandStage<3>& middleStage, HalfbandStage<2>& farStage,
                   SamplePair* low, int32_t count);
// A piece through the three stages into the split high-rate pair, and from it back down: the
// far stage writes it, or reads it (values that are no number as silence), without an
// interleaved copy in between.
void UpPieceWide(HalfbandStage<9>& nearStage, HalfbandStage<3>& middleStage, HalfbandStage<2>& farStage,
                 const SamplePair* low, int32_t count, double* left, double* right);
void DownPieceWide(HalfbandStage<9>& nearStage, HalfbandStage<3>& middleStage, HalfbandStage<2>& farStage,
                   const double* left, const double* right, int32_t count, SamplePair* low);
