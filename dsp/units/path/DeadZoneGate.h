#pragma once

#include "dsp/filters/SimdLevel.h"
#include "dsp/units/TimeConstants.h"

#include <cstdint>

// Zeroes samples below a gliding threshold and lets those just above it in through a short knee.
struct DeadZoneGate
{
    static constexpr double kMaxKnee = 0.01;

    // Paces the threshold glide as it runs at 44.1 kHz.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Nothing to clear: the gate has no memory.
    void Reset() {}
    // The threshold stands on its target.
    void EndGlides();
    void Process(double* const io[2], int32_t n);

    // The threshold aimed at; exactly 0 means off.
    double target = 0.0;
    // The raw parameter value the target came from.
    double level = 0.0;
    double keep = TimeConstants::kDeadZoneKeep;
    double take = 1.0 - TimeConstants::kDeadZoneKeep;
    // The threshold as it glides toward the target.
    double threshold = 0.0;
    double knee = kMaxKnee;
    double kneeTop = 0.0;
    // Frames per host frame while the gate runs oversampled; its glide keeps its time.
    int32_t framesPerHostFrame = 1;

private:
    // The AVX2 loop for a settled threshold, chosen when the gate is built.
    bool mWide = AvailableSimdLevel() == SimdLevel::kAvx2Fma;
};
