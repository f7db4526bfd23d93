#pragma once

#include "dsp/units/SettingCrossfade.h"
#include "dsp/units/curves/DistortionCurve.h"
#include "dsp/units/path/DeadZoneGate.h"
#include "dsp/units/path/Distortion.h"
#include "dsp/units/path/DynShaper.h"
#include "dsp/units/path/Quantizer.h"
#include "dsp/units/path/SmpRateConverter.h"
#include "framework/SampleArray.h"

#include <cstdint>
#include <span>

namespace Wezmark
{
class BuiltinCurves;
}

// The distortion section of the signal path: quantiser, sample-rate reducer, dead-zone gate,
// curve distortion and dynamic shaper, run in that order on one stereo block in place.
class DistortionChain
{
public:
    static constexpr int32_t kCurvePreviewPoints = 133;
    static constexpr int32_t kSignalPreviewFrames = 120;
    static constexpr uint32_t kShaperTableSeed = 1800;

    using CurvePreview = std::span<double, kCurvePreviewPoints>;
    using SignalPreview = std::span<double, kSignalPreviewFrames>;

    explicit DistortionChain(const Wezmark::BuiltinCurves& builtins);
    DistortionChain(const DistortionChain&) = delete;
    DistortionChain& operator=(const DistortionChain&) = delete;

    // Every stage's rate and block size; the buffers are sized for blocks of up to `maxFrames`
    // and cleared.
    void Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame = 1);
    void Reset();
    void EndGlides();
    // BeginBlock once per block, then Process on the block's frames in order, any number at a
    // time, in place.
    void BeginBlock();
    void Process(double* const io[2], int32_t frames);
    // The chain's own switch (the pre- or post-filter process setting), taken before a block's
    // BeginBlock: switched off, the chain's output crossfades to its input as fast as its
    // amount glides, then the chain stops; switched on, it crossfades in from its input.
    // Whether the chain works on the block.
    bool Switch(bool on);
    // Takes the switch as `heard` stands, without a crossfade.
    void TakeSwitchFrom(const DistortionChain& heard);

    // The bare current curve from -1 to 1, and one sine period through the distortion stage.
    // Both run on copies: nothing that the audio thread reads or writes is touched.
    void ComputeCurvePreview(CurvePreview curve, SignalPreview signal);
    // The shaper at its raw amount over -1 .. 2 x 132/133 - 1, and applied to one sine period.
    void ComputeShaperPreview(CurvePreview curve, SignalPreview signal) const;

    Quantizer quantizer;
    DeadZoneGate gate;
    Wezmark::Distortion distortion;
    Wezmark::DynShaper shaper;
    Wezmark::SmpRateConverter reducer;

private:
    void FillShaperTables();
    void ProcessUnits(double* const io[2], int32_t frames);

    // On or off, and the crossfade from the other.
    SettingCrossfade<bool> mSwitch;
    // The previews' own curve copy and signal buffer, used on the user-interface thread only.
    DistortionCurve mPreviewCurve;
    ChannelPair mPreviewSignal;
};
