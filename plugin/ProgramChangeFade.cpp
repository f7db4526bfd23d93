#include "plugin/ProgramChangeFade.h"

#include "framework/RaisedCosine.h"

#include <algorithm>
#include <cmath>

namespace
{
// Two windows' figures this close, relative to the larger, count as steady.
constexpr double kSteadyChange = 0.1;
// Three windows in a row agreeing: two, while a ring-in beats, may agree by chance.
constexpr int32_t kSteadyComparisons = 2;
// Figures below this (-100 dBFS) count as silence, steady whatever they do.
constexpr double kSilentFigure = 1e-5;

bool Steady(double figure, double lastFigure)
{
    return std::fabs(figure - lastFigure) <= kSteadyChange * std::max(figure, lastFigure) + kSilentFigure;
}
} // namespace

void ProgramChangeFade::SetFrames(int32_t fadeFrames, int32_t windowFrames, int32_t shortestWindows,
                                  int32_t longestWindows)
{
    mFadeFrames = std::max(fadeFrames, 1);
    mWindowFrames = std::max(windowFrames, 1);
    mShortestSettleFrames = mWindowFrames * std::max(shortestWindows, 1);
    mLongestSettleFrames = mWindowFrames * std::max(longestWindows, shortestWindows);
    // Steps under way start again.
    if (mPhase == Phase::kSettling || mPhase == Phase::kApplying)
        StartSettling();
    else
        mPosition = std::min(mPosition, mFadeFrames);
}

void ProgramChangeFade::SetSteps(int32_t steps, int32_t stepFrames)
{
    mSteps = std::max(steps, 1);
    mStepFrames = std::max(stepFrames, 1);
    if (mPhase == Phase::kApplying)
        StartSettling();
}

void ProgramChangeFade::StartSettling()
{
    mPhase = Phase::kSettling;
    mPosition = 0;
    mWindow = {};
    mLastWindow = {};
    mSteadyComparisons = 0;
}

void ProgramChangeFade::Request()
{
    mPending = true;
    if (mPhase == Phase::kHeard)
    {
        mPhase = Phase::kFadingOut;
        mPosition = 0;
    }
    else if (mPhase == Phase::kApplying)
    {
        // Silent already: the steps start again, the values waiting for the first.
        StartSettling();
    }
    else if (mPhase == Phase::kFadingIn)
    {
        // The fade out's gain at this position is the fade in's at its own.
        mPhase = Phase::kFadingOut;
        mPosition = mFadeFrames - mPosition;
    }
}

int32_t ProgramChangeFade::DueStep() const
{
    if (!mPending)
        return kNoStep;
    if (mPhase == Phase::kApplying)
        return mPosition >= mStepsTaken * mStepFrames ? mStepsTaken : kNoStep;
    return Quiet() ? 0 : kNoStep;
}

void ProgramChangeFade::StepTaken()
{
    if (mPhase != Phase::kApplying)
    {
        mPhase = Phase::kApplying;
        mPosition = 0;
        mStepsTaken = 0;
    }
    if (++mStepsTaken >= mSteps)
        Applied();
}

void ProgramChangeFade::Applied()
{
    mPending = false;
    StartSettling();
}

void ProgramChangeFade::Stop()
{
    mPending = false;
    mPhase = Phase::kHeard;
    mPosition = 0;
}

int32_t ProgramChangeFade::FramesToNextStep() const
{
    constexpr int32_t kNone = std::numeric_limits<int32_t>::max();
    if (!mPending)
        return kNone;
    if (mPhase == Phase::kFadingOut && mPosition < mFadeFrames)
        return mFadeFrames - mPosition;
    // A step due now is taken at the start of the slice, which ends where the one after it is due.
    const bool applying = mPhase == Phase::kApplying;
    const int32_t next = (applying ? mStepsTaken : 0) + (DueStep() != kNoStep ? 1 : 0);
    if (next >= mSteps)
        return kNone;
    return std::max(next * mStepFrames - (applying ? mPosition : 0), 1);
}

double ProgramChangeFade::NextGain()
{
    switch (mPhase)
    {
    case Phase::kFadingOut:
        mPosition = std::min(mPosition + 1, mFadeFrames);
        return RaisedCosine(1.0 - static_cast<double>(mPosition) / mFadeFrames);
    case Phase::kApplying:
        ++mPosition;
        return 0.0;
    case Phase::kSettling:
        if (mPosition >= mLongestSettleFrames ||
            (mPosition >= mShortestSettleFrames && mSteadyComparisons >= kSteadyComparisons))
        {
            mPhase = Phase::kFadingIn;
            mPosition = 0;
        }
        return 0.0;
    case Phase::kFadingIn:
    {
        const double gain = RaisedCosine(static_cast<double>(++mPosition) / mFadeFrames);
        if (mPosition >= mFadeFrames)
        {
            mPhase = Phase::kHeard;
            mPosition = 0;
        }
        return gain;
    }
    case Phase::kHeard:
        break;
    }
    return 1.0;
}

void ProgramChangeFade::Watch(double left, double right)
{
    if (mPosition == 0)
    {
        mLeft = left;
        mRight = right;
    }
    mWindow.peak = std::max({mWindow.peak, std::fabs(left), std::fabs(right)});
    mWindow.steps += std::fabs(left - mLeft) + std::fabs(right - mRight);
    mLeft = left;
    mRight = right;
    if (++mPosition % mWindowFrames != 0)
        return;
    // The first window has nothing to be compared with.
    const bool steady = mPosition > mWindowFrames && Steady(mWindow.peak, mLastWindow.peak) &&
                        Steady(mWindow.steps, mLastWindow.steps);
    mSteadyComparisons = steady ? mSteadyComparisons + 1 : 0;
    mLastWindow = mWindow;
    mWindow = {};
}

void ProgramChangeFade::Scale(double* const io[2], int32_t n)
{
    for (int32_t i = 0; i < n && mPhase != Phase::kHeard; ++i)
    {
        if (mPhase == Phase::kSettling)
            Watch(io[0][i], io[1][i]);
        const double gain = NextGain();
        io[0][i] *= gain;
        io[1][i] *= gain;
    }
}
