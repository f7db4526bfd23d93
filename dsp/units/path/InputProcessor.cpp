#include "dsp/units/path/InputProcessor.h"

#include "dsp/units/GlideTimes.h"
#include "dsp/units/SmootherStep.h"
#include "dsp/units/curves/CurvePoints.h"

#include <algorithm>
#include <cmath>

namespace Wezmark
{

InputProcessor::InputProcessor() : saturator(Saturator::kSoftSaturation)
{
}

void InputProcessor::Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame)
{
    gainPole = GlideTimes::Keep(TimeConstants::kInputGainKeep, rate);
    gainStep = 1.0 - gainPole;
    offsetPole = GlideTimes::Keep(TimeConstants::kInputOffsetKeep, rate);
    offsetStep = 1.0 - offsetPole;
    saturator.Prepare(rate, maxFrames, framesPerHostFrame);
    this->framesPerHostFrame = framesPerHostFrame;
}

void InputProcessor::Reset()
{
    saturator.Reset();
}

void InputProcessor::Route(double* const io[2], int32_t n) const
{
    double* left = io[0];
    double* right = io[1];
    switch (channelMode)
    {
    case kInverseStereo:
        // Exchanged in place, so no block length can outgrow a scratch buffer.
        std::swap_ranges(left, left + n, right);
        break;
    case kMonoMix:
        for (int32_t i = 0; i < n; ++i)
        {
            const double mid = (left[i] + right[i]) * 0.5;
            left[i] = mid;
            right[i] = mid;
        }
        break;
    case kMonoLeft:
        std::copy(left, left + n, right);
        break;
    case kMonoRight:
        std::copy(right, right + n, left);
        break;
    default:
        break;
    }
}

void InputProcessor::BeginBlock()
{
    saturator.BeginBlock();
}

bool InputProcessor::PassesUnchanged() const
{
    // The gain smoother settles a few ulps short of 1: 240 dB and more below the signal.
    constexpr double kUnityReached = 1e-12;
    const bool unity = gainTarget == 1.0 && std::fabs(gainState - 1.0) < kUnityReached &&
                       SmootherStep(gainState, gainPole, gainStep, gainTarget) == gainState;
    return unity && channelMode == kStereo && offsetSetting == kNoOffset && !saturator.Running();
}

void InputProcessor::EndGlides()
{
    gainState = gainTarget;
    offsetState = offsetSetting == kNoOffset ? 0.0 : OffsetTarget();
}

double InputProcessor::OffsetTarget() const
{
    const double s = offsetSetting;
    return s > kNoOffset ? (s - kNoOffset) + (s - kNoOffset) : -(1.0 - (s + s));
}

void InputProcessor::Process(double* const io[2], int32_t n)
{
    if (n >= 1)
    {
        Route(io, n);
        // Settled smoothers are stepped once, not per frame: the later steps change nothing.
        const int32_t gainSteps = SmootherStep(gainState, gainPole, gainStep, gainTarget) == gainState ? 1 : n;
        double gain = gainState;
        for (int32_t i = 0; i < n; ++i)
        {
            if (i < gainSteps && StepsAt(i, framesPerHostFrame))
                gain = SmootherStep(gain, gainPole, gainStep, gainTarget);
            io[0][i] = FiniteOrZero(io[0][i]) * gain;
            io[1][i] = FiniteOrZero(io[1][i]) * gain;
        }
        gainState = gain;
        // Back at no offset, the offset glides out to exactly 0 before it stops being added.
        if (offsetSetting != kNoOffset || offsetState != 0.0)
        {
            const double target = OffsetTarget();
            const int32_t offsetSteps = GlideOutStep(offsetState, offsetPole, offsetStep, target) == offsetState ? 1 : n;
            double offset = offsetState;
            for (int32_t i = 0; i < n; ++i)
            {
                if (i < offsetSteps && StepsAt(i, framesPerHostFrame))
                    offset = GlideOutStep(offset, offsetPole, offsetStep, target);
                io[0][i] += offset;
                io[1][i] += offset;
            }
            offsetState = offset;
        }
    }
    saturator.Process(io, n);
}

} // namespace Wezmark
