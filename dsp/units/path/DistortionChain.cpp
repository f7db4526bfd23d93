#include "dsp/units/path/DistortionChain.h"

#include "dsp/units/curves/LcgRandom.h"

#include <cmath>
#include <cstring>

namespace
{

constexpr double kTwoPi = 6.283185307179586;
constexpr double kCurvePreviewStep = 1.0 / 66.0;
constexpr int32_t kShortTableSpan = 4000;
constexpr int32_t kLongTableSpan = 40000;

// Negative steps in [-1, 0) for the stepped shaper waveforms.
template <size_t Size>
void FillSteps(std::array<double, Size>& table, LcgRandom& random, int32_t span)
{
    for (double& step : table)
        step = static_cast<double>(random.Next() % span - span) / span;
}

double PreviewSine(int32_t i)
{
    return std::sin(kTwoPi * i / DistortionChain::kSignalPreviewFrames);
}

} // namespace

namespace
{
constexpr size_t kPreviewNameCapacity = 256;
}

DistortionChain::DistortionChain(const Wezmark::BuiltinCurves& builtins)
    : distortion(builtins), mPreviewCurve(Wezmark::Distortion::kCurvePoints)
{
    FillShaperTables();
    ResizeChannelPair(mPreviewSignal, kSignalPreviewFrames);
    // The preview copies the current curve's name; room made here keeps that copy from
    // allocating when a block refreshes the preview after a curve action.
    mPreviewCurve.name.reserve(kPreviewNameCapacity);
    mSwitch.TakeAtOnce(true);
}

void DistortionChain::FillShaperTables()
{
    // A generator of the chain's own, so every chain gets the same tables whatever other
    // instances are doing.
    LcgRandom random(kShaperTableSeed);
    FillSteps(shaper.steps16, random, kShortTableSpan);
    FillSteps(shaper.steps64, random, kLongTableSpan);
}

void DistortionChain::Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame)
{
    mSwitch.SetBlockSize(maxFrames);
    quantizer.Prepare(rate, maxFrames, framesPerHostFrame);
    reducer.Prepare(rate, maxFrames, framesPerHostFrame);
    gate.Prepare(rate, maxFrames, framesPerHostFrame);
    distortion.Prepare(rate, maxFrames, framesPerHostFrame);
    shaper.Prepare(rate, maxFrames, framesPerHostFrame);
}

void DistortionChain::Reset()
{
    quantizer.Reset();
    reducer.Reset();
    gate.Reset();
    distortion.Reset();
    shaper.Reset();
}

void DistortionChain::EndGlides()
{
    quantizer.EndGlides();
    reducer.EndGlides();
    gate.EndGlides();
    distortion.EndGlides();
    shaper.EndGlides();
}

void DistortionChain::BeginBlock()
{
    distortion.BeginBlock();
}

bool DistortionChain::Switch(bool on)
{
    // Nothing heard since the buffers were sized: nothing to crossfade from.
    if (!mSwitch.HeardYet())
        mSwitch.TakeAtOnce(on);
    return mSwitch.Follow(on) || on;
}

void DistortionChain::TakeSwitchFrom(const DistortionChain& heard)
{
    mSwitch.TakeAtOnce(heard.mSwitch.Heard());
}

void DistortionChain::Process(double* const io[2], int32_t frames)
{
    if (mSwitch.Fading() && !mSwitch.Fits(frames))
        mSwitch.TakeAtOnce(mSwitch.Heard());
    if (!mSwitch.Fading())
    {
        if (mSwitch.Heard())
            ProcessUnits(io, frames);
        return;
    }
    // The leaving copy is the signal as the chain was switched before.
    double* leaving[2];
    mSwitch.CopyForLeaving(io, frames, leaving);
    ProcessUnits(mSwitch.Heard() ? io : leaving, frames);
    mSwitch.Blend(io, frames, distortion.smoothKeep, distortion.smoothTake, distortion.framesPerHostFrame);
}

void DistortionChain::ProcessUnits(double* const io[2], int32_t frames)
{
    quantizer.Process(io, frames);
    reducer.Process(io, frames);
    gate.Process(io, frames);
    distortion.Process(io, frames);
    shaper.Process(io, frames);
}

void DistortionChain::ComputeCurvePreview(CurvePreview curve, SignalPreview signal)
{
    const DistortionCurve* current = distortion.current;
    if (current == nullptr)
        return;
    mPreviewCurve.CopyFrom(*current);
    mPreviewCurve.BuildEffective();
    const double* table = mPreviewCurve.Effective();
    for (int32_t i = 0; i < kCurvePreviewPoints; ++i)
        curve[i] = mPreviewCurve.Lookup(i * kCurvePreviewStep - 1.0, table);

    for (int32_t i = 0; i < kSignalPreviewFrames; ++i)
    {
        mPreviewSignal.left[i] = PreviewSine(i);
        mPreviewSignal.right[i] = mPreviewSignal.left[i];
    }
    double* io[2] = {mPreviewSignal.left, mPreviewSignal.right};
    // The preview is no oversampled stage: its amount steps every frame.
    double smoothed = distortion.smoothedAmount;
    distortion.ProcessDetached(io, kSignalPreviewFrames, distortion.ShapingOf(&mPreviewCurve), table,
                               kSignalPreviewFrames, smoothed, 1);
    std::memcpy(signal.data(), mPreviewSignal.left, sizeof(double) * kSignalPreviewFrames);
}

void DistortionChain::ComputeShaperPreview(CurvePreview curve, SignalPreview signal) const
{
    const double amount = shaper.amount;
    for (int32_t i = 0; i < kCurvePreviewPoints; ++i)
        curve[i] = shaper.Shape(2.0 * (static_cast<double>(i) / kCurvePreviewPoints - 0.5), amount);
    for (int32_t i = 0; i < kSignalPreviewFrames; ++i)
        signal[i] = shaper.Shape(PreviewSine(i), amount);
}
