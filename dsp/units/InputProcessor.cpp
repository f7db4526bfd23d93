#include "dsp/units/InputProcessor.h"

#include "dsp/units/CurvePoints.h"

#include <algorithm>

namespace Wezmark
{

InputProcessor::InputProcessor() : saturator(Saturator::kSoftSaturation)
{
}

void InputProcessor::SetBlockSize(int32_t frames)
{
    saturator.SetBlockSize(frames);
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

void InputProcessor::ProcessBlock(double* const io[2], int32_t n)
{
    if (n >= 1)
    {
        Route(io, n);
        for (int32_t i = 0; i < n; ++i)
        {
            gainState = gainStep * gainTarget + gainPole * gainState;
            io[0][i] = FiniteOrZero(io[0][i]) * gainState;
            io[1][i] = FiniteOrZero(io[1][i]) * gainState;
        }
        if (offsetSetting != kNoOffset)
        {
            const double s = offsetSetting;
            const double target = s > kNoOffset ? (s - kNoOffset) + (s - kNoOffset) : -(1.0 - (s + s));
            for (int32_t i = 0; i < n; ++i)
            {
                offsetState = target * offsetStep + offsetPole * offsetState;
                io[0][i] += offsetState;
                io[1][i] += offsetState;
            }
        }
    }
    saturator.ProcessBlock(io, n);
}

} // namespace Wezmark
