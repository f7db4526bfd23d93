#pragma once

#include "dsp/units/AudioProcessingUnit.h"
#include "dsp/filters/SimdLevel.h"
#include "dsp/units/curves/DistortionCurve.h"
#include "framework/SampleArray.h"

#include <cstdint>

namespace Wezmark
{

class BuiltinCurves;

// Curve saturation of a stereo block: the curve output scaled by a smoothed amount and drive,
// clamped, and blended in from the dry signal while the amount is small. An amount of exactly
// 0 switches it off: the smoothed amount glides out, and from there blocks pass unchanged. It
// does not use the bypass fade.
class Saturator : public AudioProcessingUnit
{
public:
    static constexpr int32_t kInitialFrames = 1024;
    static constexpr double kMixThreshold = 0.5;
    static constexpr double kMixSlope = 2.0;

    enum CurveSource : uint32_t
    {
        kSoftSaturation,
        kHarmonicSaturation,
    };

    explicit Saturator(uint32_t curveSource);

    // Reads the source's built-in curve and sets the smoothing and blend of normal use.
    void LoadCurve(const BuiltinCurves& builtins);
    // Paces the amount and drive glides as they run at 44.1 kHz, sizes the working copy for
    // blocks of up to `maxFrames` and chooses the widest loops the processor allows.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    // Nothing to clear: the saturation has no memory.
    void Reset() {}
    // The amount and the drive stand on their targets.
    void EndGlides();
    // Drive mode floor(2v + 0.5): 0, 1 and 2 set the drive; other modes leave it.
    void SetMode(double v);
    // BeginBlock once per block, then Process on the block's frames in order, any number at a
    // time, in place; a block longer than the working copy passes unchanged.
    void BeginBlock();
    void Process(double* const io[2], int32_t n);

    // Target amount 0..1; exactly 0 is off once the smoothed amount has glided there.
    double amount = 0.0;
    double mixThreshold = kMixThreshold;
    double mixSlope = kMixSlope;
    double drive;
    double amountKeep;
    double amountTake;
    double amountState = 0.0;
    double driveKeep;
    double driveTake;
    double driveState = 0.0;
    // Frames per host frame while the saturator runs oversampled; its glides keep their time.
    int32_t framesPerHostFrame = 1;
    DistortionCurve curve;
    uint32_t curveSource;
    uint32_t driveMode;
    ChannelPair scratch;

    // Off only once both the target and the smoothed amount are exactly 0; off, a block passes
    // unchanged.
    bool Running() const;

    // The AVX2 look-ups instead of the portable ones, chosen by Prepare.
    bool mWide = false;

private:
    // Sets both glides' coefficients from tunedKeep at the current rate.
    void ApplyPace();

    // The glides' coefficient at 44.1 kHz.
    double tunedKeep;
};

} // namespace Wezmark
