#pragma once

#include "dsp/units/TimeConstants.h"
#include "dsp/units/SettingCrossfade.h"
#include "dsp/filters/SimdLevel.h"

#include <cstdint>

// Bit reduction: every sample is truncated to a multiple of 1 / factor. A change of setting
// (on, off or another step size) crossfades from the old quantised signal to the new one,
// so that switching the crush under a quiet signal neither silences it nor lets it back at
// once.
struct Quantizer
{
    static constexpr double kOff = 1.0;
    static constexpr double kFullBits = 64.0;
    static constexpr double kFullFactor = 18446744073709551616.0; // 2^64

    // Takes the widest loops the processor allows, as Prepare does.
    Quantizer();

    // Paces the crossfade as it runs at 44.1 kHz and sizes its buffer for blocks of up to
    // `maxFrames`; nothing has been heard since, so the next block takes the setting as it is
    // then. Chooses the loops anew.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Nothing to clear: the quantiser has no memory.
    void Reset() {}
    // The setting is heard at once, a crossfade under way ended.
    void EndGlides();
    // The crossfade's weight glides once per host frame.
    void Process(double* const io[2], int32_t n);

    bool bypassed = false;
    // Exactly 1 (or above) means off.
    double amount = kOff;
    double bits = kFullBits;
    double factor = kFullFactor;
    // Frames per host frame while the unit runs oversampled; its crossfade keeps its time.
    int32_t framesPerHostFrame = 1;

private:
    // The factor in use, 0 when the unit passes the signal.
    double Setting() const;
    // Quantises in place; a setting of 0 passes the signal.
    void QuantizeWith(double* const io[2], int32_t n, double setting) const;

    // The AVX2 loop instead of the portable one.
    bool mWide;
    // The crossfade glides as fast as the distortion's amount.
    double mKeep = TimeConstants::kQuantizerKeep;
    double mTake = 1.0 - TimeConstants::kQuantizerKeep;

    SettingCrossfade<double> mCrossfade;
};
