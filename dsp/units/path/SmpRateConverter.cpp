#include "dsp/units/path/SmpRateConverter.h"

#include "dsp/units/GlideTimes.h"
#include "dsp/units/SmootherStep.h"
#include "dsp/units/curves/CurvePoints.h"

#include <algorithm>
#include <cmath>

namespace Wezmark
{

namespace
{
// A glide this close to its target has landed: the kept fraction is then the ratio itself,
// exactly as without a glide.
constexpr double kLanded = 1e-12;

double GlideLogStep(double state, double keep, double take, double target)
{
    const double next = SmootherStep(state, keep, take, target);
    return std::fabs(next - target) < kLanded ? target : next;
}
} // namespace

void SmpRateConverter::Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame)
{
    AudioProcessingUnit::Prepare(rate, maxFrames, framesPerHostFrame);
    mGlideKeep = GlideTimes::Keep(TimeConstants::kRateRatioKeep, rate);
    mGlideTake = 1.0 - mGlideKeep;
    mHeardYet = false;
    this->framesPerHostFrame = framesPerHostFrame;
}

void SmpRateConverter::Reset()
{
    mHeardYet = false;
    mRemaining = 0.0;
    mHeldLeft = 0.0;
    mHeldRight = 0.0;
}

void SmpRateConverter::EndGlides()
{
    mLogKept = std::log(KeptTarget());
}

double SmpRateConverter::KeptTarget() const
{
    // NaN and ratios below the slowest one take the slowest; above 1 every frame is kept.
    return ratio > kSlowestRatio ? std::min(ratio, 1.0) : kSlowestRatio;
}

void SmpRateConverter::Process(double* const io[2], int32_t n)
{
    const double target = KeptTarget();
    const double logTarget = std::log(target);
    // A longer hold starts from the frame at hand and steps no more than the held signal does;
    // only a shorter one, which lets go of a frame held long, glides there.
    if (!mHeardYet || logTarget < mLogKept)
    {
        mLogKept = logTarget;
        mHeardYet = true;
    }
    if (bypassed || (ratio == 1.0 && mLogKept == 0.0))
    {
        // Switched on again, it starts by keeping the frame at hand, not one from long ago,
        // at the ratio set now.
        mRemaining = 0.0;
        mLogKept = logTarget;
        return;
    }
    double logKept = mLogKept;
    double remaining = mRemaining;
    double heldLeft = mHeldLeft;
    double heldRight = mHeldRight;
    for (int32_t i = 0; i < n; ++i)
    {
        if (logKept != logTarget && StepsAt(i, framesPerHostFrame))
            logKept = GlideLogStep(logKept, mGlideKeep, mGlideTake, logTarget);
        if (remaining <= 0.0)
        {
            heldLeft = FiniteOrZero(io[0][i]);
            heldRight = FiniteOrZero(io[1][i]);
            remaining += 1.0;
        }
        remaining -= (logKept == logTarget ? target : std::exp(logKept)) / framesPerHostFrame;
        io[0][i] = heldLeft;
        io[1][i] = heldRight;
    }
    mLogKept = logKept;
    mRemaining = remaining;
    mHeldLeft = heldLeft;
    mHeldRight = heldRight;
}

} // namespace Wezmark
