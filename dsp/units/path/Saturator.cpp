#include "dsp/units/path/Saturator.h"

#include "dsp/units/GlideTimes.h"
#include "dsp/units/TimeConstants.h"
#include "dsp/units/SmootherStep.h"
#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/BuiltinCurves.h"
#include "dsp/units/path/DistortionWide.h"
#include "dsp/units/path/RoundedIndex.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace Wezmark
{

namespace
{

constexpr uint16_t kCurvePoints = 2048;

// Library slots of the two curve sources.
constexpr std::array<int, 2> kSourceSlots = {82, 84};

// Drive of modes 0, 1 and 2.
constexpr std::array<double, 3> kModeDrives = {2.5, 5.0, 10.777};
constexpr uint32_t kInitialMode = 1;

} // namespace

Saturator::Saturator(uint32_t source)
    : drive(kModeDrives[kInitialMode]),
      amountKeep(TimeConstants::kUnpreparedKeep),
      amountTake(1.0 - TimeConstants::kUnpreparedKeep),
      driveKeep(TimeConstants::kUnpreparedKeep),
      driveTake(1.0 - TimeConstants::kUnpreparedKeep),
      curve(kCurvePoints),
      curveSource(source),
      driveMode(kInitialMode),
      tunedKeep(TimeConstants::kUnpreparedKeep)
{
    Prepare(sampleRate, kInitialFrames);
}

void Saturator::Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame)
{
    AudioProcessingUnit::Prepare(rate, maxFrames, framesPerHostFrame);
    ApplyPace();
    mWide = AvailableSimdLevel() == SimdLevel::kAvx2Fma;
    ResizeChannelPair(scratch, maxFrames);
    if (scratch.capacity > 0)
    {
        std::memset(scratch.left, 0, sizeof(double) * static_cast<size_t>(scratch.capacity));
        std::memset(scratch.right, 0, sizeof(double) * static_cast<size_t>(scratch.capacity));
    }
    this->framesPerHostFrame = framesPerHostFrame;
}

void Saturator::EndGlides()
{
    amountState = amount;
    driveState = drive;
}

void Saturator::ApplyPace()
{
    amountKeep = GlideTimes::Keep(tunedKeep, sampleRate);
    amountTake = 1.0 - amountKeep;
    driveKeep = amountKeep;
    driveTake = amountTake;
}

void Saturator::LoadCurve(const BuiltinCurves& builtins)
{
    // Never edited, so it reads the shared tables; its own identity ramp goes.
    if (curveSource < kSourceSlots.size())
        (void)curve.Share(builtins.Slot(kSourceSlots[curveSource]));
    mixThreshold = kMixThreshold;
    mixSlope = kMixSlope;
    tunedKeep = TimeConstants::kSaturatorKeep;
    ApplyPace();
    curve.interpolation = DistortionCurve::kHermiteInterpolation;
}

void Saturator::SetMode(double v)
{
    driveMode = RoundedIndex(2.0 * v);
    if (driveMode < kModeDrives.size())
        drive = kModeDrives[driveMode];
}

bool Saturator::Running() const
{
    return amount != 0.0 || amountState != 0.0;
}

void Saturator::BeginBlock()
{
    if (Running())
        curve.PrepareTable();
}

void Saturator::Process(double* const io[2], int32_t n)
{
    if (!Running() || n < 1 || n > scratch.capacity)
        return;
    const double* table = curve.ReadTable();
    const std::optional<WideCurve> wide = mWide ? WideCurveOf(curve, table) : std::nullopt;
    // Settled smoothers are stepped once, not per frame: the later steps change nothing.
    const bool settled = SmootherStep(amountState, amountKeep, amountTake, amount) == amountState &&
                         SmootherStep(driveState, driveKeep, driveTake, drive) == driveState;
    if (settled && wide)
    {
        // One pass: each frame cleaned, looked up, driven and mixed while in registers.
        const double settledAmount = GlideOutStep(amountState, amountKeep, amountTake, amount);
        if (settledAmount != 0.0)
        {
            driveState = SmootherStep(driveState, driveKeep, driveTake, drive);
            amountState = settledAmount;
            const double weight = settledAmount < mixThreshold ? settledAmount * mixSlope : 1.0;
            ShapeSettledWide(io, n, *wide, settledAmount * driveState, weight, false);
            return;
        }
    }
    for (int32_t i = 0; i < n; ++i)
    {
        io[0][i] = FiniteOrZero(io[0][i]);
        io[1][i] = FiniteOrZero(io[1][i]);
    }
    if (wide)
    {
        LookupBlockWide(*wide, io[0], scratch.left, n);
        LookupBlockWide(*wide, io[1], scratch.right, n);
    }
    else
    {
        curve.LookupBlock(io[0], scratch.left, n, table);
        curve.LookupBlock(io[1], scratch.right, n, table);
    }
    const int32_t steps = settled ? 1 : n;
    double amountNow = amountState;
    double driveNow = driveState;
    for (int32_t i = 0; i < n; ++i)
    {
        if (i < steps && StepsAt(i, framesPerHostFrame))
        {
            amountNow = GlideOutStep(amountNow, amountKeep, amountTake, amount);
            driveNow = SmootherStep(driveNow, driveKeep, driveTake, drive);
            // Glided out: from here on the block passes as it came.
            if (amountNow == 0.0)
                break;
        }
        const double gain = amountNow * driveNow;
        const double wetLeft = std::clamp(gain * scratch.left[i], -1.0, 1.0);
        const double wetRight = std::clamp(gain * scratch.right[i], -1.0, 1.0);
        if (amountNow < mixThreshold)
        {
            const double w = amountNow * mixSlope;
            io[0][i] = (1.0 - w) * io[0][i] + w * wetLeft;
            io[1][i] = (1.0 - w) * io[1][i] + w * wetRight;
        }
        else
        {
            io[0][i] = wetLeft;
            io[1][i] = wetRight;
        }
    }
    amountState = amountNow;
    driveState = driveNow;
}

} // namespace Wezmark
