#include "vst3/HostBypassFade.h"

#include "framework/RaisedCosine.h"

#include <algorithm>

void HostBypassFade::Prepare(int32_t fadeFrames, int32_t warmUpFrames, int32_t maxFrames)
{
    mWeights.assign(static_cast<size_t>(std::max(maxFrames, 0)), 0.0);
    mFadeFrames = std::max(fadeFrames, 1);
    mWarmUpFrames = std::max(warmUpFrames, 0);
    mPosition = 0;
    mHeardYet = false;
}

void HostBypassFade::Follow(bool bypassed)
{
    if (!mHeardYet)
    {
        mPhase = bypassed ? Phase::kBypassed : Phase::kEffect;
        mPosition = 0;
        mHeardYet = true;
        return;
    }
    // A fade turned round starts where the other one stands: both have the same weight there.
    switch (mPhase)
    {
    case Phase::kEffect:
        if (bypassed)
        {
            mPhase = Phase::kFadingOut;
            mPosition = 0;
        }
        break;
    case Phase::kFadingIn:
        if (bypassed)
        {
            mPhase = Phase::kFadingOut;
            mPosition = mFadeFrames - mPosition;
        }
        break;
    case Phase::kFadingOut:
        if (!bypassed)
        {
            mPhase = Phase::kFadingIn;
            mPosition = mFadeFrames - mPosition;
        }
        break;
    case Phase::kBypassed:
        if (!bypassed)
        {
            mPhase = Phase::kWarmingUp;
            mPosition = 0;
        }
        break;
    case Phase::kWarmingUp:
        // Nothing of the effect was heard yet.
        if (bypassed)
            mPhase = Phase::kBypassed;
        break;
    }
}

double HostBypassFade::NextWeight()
{
    switch (mPhase)
    {
    case Phase::kEffect:
        return 0.0;
    case Phase::kFadingOut:
        mPosition = std::min(mPosition + 1, mFadeFrames);
        if (mPosition == mFadeFrames)
            mPhase = Phase::kBypassed;
        return RaisedCosine(static_cast<double>(mPosition) / mFadeFrames);
    case Phase::kBypassed:
        return 1.0;
    case Phase::kWarmingUp:
        if (++mPosition >= mWarmUpFrames)
        {
            mPhase = Phase::kFadingIn;
            mPosition = 0;
        }
        return 1.0;
    case Phase::kFadingIn:
        mPosition = std::min(mPosition + 1, mFadeFrames);
        if (mPosition == mFadeFrames)
            mPhase = Phase::kEffect;
        return 1.0 - RaisedCosine(static_cast<double>(mPosition) / mFadeFrames);
    }
    return 0.0;
}

std::span<const double> HostBypassFade::Advance(int32_t frames)
{
    const std::span<double> weights(mWeights.data(), std::min(static_cast<size_t>(std::max(frames, 0)), mWeights.size()));
    for (double& weight : weights)
        weight = NextWeight();
    return weights;
}

void BlendBypassed(double* io, const double* bypassed, std::span<const double> weights)
{
    for (size_t i = 0; i < weights.size(); ++i)
        io[i] += weights[i] * ((bypassed ? bypassed[i] : 0.0) - io[i]);
}
