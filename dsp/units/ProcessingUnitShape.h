#pragma once

#include <cstdint>

// The life cycle that every processing unit shares:
//
// - Prepare(rate, maxFrames, framesPerHostFrame): the rate the unit runs at and the longest
//   block it is handed. The unit sizes its buffers and derives its coefficients from its
//   settings and the rate. A stage that runs oversampled has framesPerHostFrame frames per host
//   frame and keeps its glides, fades and holds as long in host time; every other unit runs
//   with the default of 1.
// - Reset(): clears the unit's memories (filter states, held frames) and keeps its settings,
//   which the next block starts on.
// - Process(...): one block, in place, from a side input, or around a stage. The stages that
//   run oversampled take a block in pieces: BeginBlock() once, then Process on the block's
//   frames in order, any number at a time.
// - EndGlides(): where the output is not heard, the unit's own glides, fades and crossfades
//   stand on their targets at once.
template <class Unit>
concept UnitLifeCycle = requires(Unit& unit, double rate, int32_t frames) {
    unit.Prepare(rate, frames, frames);
    unit.Reset();
    unit.EndGlides();
};

template <class Unit>
concept ProcessingUnitShape =
    UnitLifeCycle<Unit> &&
    (requires(Unit& unit, double* const io[2], int32_t frames) { unit.Process(io, frames); } ||
     requires(Unit& unit, const double* const in[2], double* const io[2], int32_t frames) {
         unit.Process(in, io, frames);
     } ||
     requires(Unit& unit, double* const io[2], int32_t frames) {
         unit.Process(io, frames, [](double* const[2], int32_t) {});
     });
