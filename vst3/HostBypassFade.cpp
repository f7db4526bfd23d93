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
        Enter(bypassed ? Phase::kBypassed : Phase::kEffect, 0);
        mHeardYet = true;
        return;
    }
    const bool headingForBypass = mPhase == Phase::kFadingOut || mPhase == Phase::kBypassed;
    if (bypassed == headingForBypass)
        return;
    // A fade turned round starts where the other one stands: both have the same weight there.
    switch (mPhase)
    {
    case Phase::kEffect:
        Enter(Phase::kFadingOut, 0);
        break;
    case Phase::kFadingIn:
        Enter(Phase::kFadingOut, mFadeFrames - mPosition);
        break;
    case Phase::kFadingOut:
        Enter(Phase::kFadingIn, mFadeFrames - mPosition);
        break;
    case Phase::kBypassed:
        Enter(Phase::kWarmingUp, 0);
        break;
    case Phase::kWarmingUp:
        // Nothing of the effect was heard yet.
        Enter(Phase::kBypassed, 0);
        break;
    }
}

void HostBypassFade::Enter(Phase phase, int32_t position)
{
    mPhase = phase;
    mPosition = position;
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
            Enter(Phase::kFadingIn, 0);
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
