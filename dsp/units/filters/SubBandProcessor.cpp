#include "dsp/units/filters/SubBandProcessor.h"

#include "dsp/units/GlideTimes.h"
#include "dsp/units/SmootherStep.h"
#include "dsp/units/filters/UsableSampleRate.h"
#include "dsp/units/path/Distortion.h"
#include "dsp/units/path/InputProcessor.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace Wezmark
{

SubBandProcessor::SubBandProcessor(Distortion* distortion)
    : saturator(Saturator::kSoftSaturation), distortion(distortion)
{
    ResizeChannelPair(subBand, kInitialFrames);
    ResizeChannelPair(mainBefore, kInitialFrames);
    Reset();
}

void SubBandProcessor::Prepare(double rate, int32_t maxFrames, int32_t)
{
    const double keep = GlideTimes::Keep(TimeConstants::kBandGainKeep, rate);
    for (GainSmoother* smoother : {&subGainSmoother, &distoGainSmoother})
    {
        smoother->a = keep;
        smoother->b = 1.0 - keep;
    }
    if (IsUsableSampleRate(rate))
        AudioProcessingUnit::Prepare(rate, maxFrames);
    equaliser.Prepare(rate, maxFrames);
    splitter.Prepare(rate, maxFrames);
    saturator.Prepare(sampleRate, maxFrames);
    ResizeChannelPair(subBand, maxFrames);
    ResizeChannelPair(mainBefore, maxFrames);
}

void SubBandProcessor::Reset()
{
    equaliser.Reset();
    splitter.Reset();
}

void SubBandProcessor::RouteInput(const double* const in[2], int32_t n)
{
    const double* left = in[0];
    const double* right = in[1];
    switch (channelMode)
    {
    case InputProcessor::kInverseStereo:
        std::swap(left, right);
        break;
    case InputProcessor::kMonoLeft:
        right = left;
        break;
    case InputProcessor::kMonoRight:
        left = right;
        break;
    case InputProcessor::kMonoMix:
        for (int32_t i = 0; i < n; ++i)
            subBand.left[i] = subBand.right[i] = (in[0][i] + in[1][i]) / 2.0;
        return;
    default:
        break;
    }
    const size_t bytes = sizeof(double) * static_cast<size_t>(n);
    std::memcpy(subBand.left, left, bytes);
    std::memcpy(subBand.right, right, bytes);
}

void SubBandProcessor::Process(const double* const in[2], double* const out[2], int32_t n)
{
    if (!Running())
        return;
    if (n < 1 || n > subBand.capacity || n > mainBefore.capacity)
        return;
    RouteInput(in, n);
    GainSmoother& sub = subGainSmoother;
    // Settled smoothers are stepped once, not per frame: the later steps change nothing.
    const int32_t subSteps = SmootherStep(sub.state, sub.a, sub.b, subGain) == sub.state ? 1 : n;
    double subNow = sub.state;
    for (int32_t i = 0; i < n; ++i)
    {
        if (i < subSteps)
            subNow = SmootherStep(subNow, sub.a, sub.b, subGain);
        subBand.left[i] *= subNow;
        subBand.right[i] *= subNow;
    }
    sub.state = subNow;
    double* const path[2] = {subBand.left, subBand.right};
    saturator.BeginBlock();
    saturator.Process(path, n);
    if (distortion != nullptr)
    {
        distortion->BeginBlock();
        distortion->Process(path, n);
    }
    equaliser.Process(path, n);

    if (fade == 1.0 && subShare == 1.0 && !bypassed)
    {
        SplitAndSum(out, 0, n);
        return;
    }
    // While it switches, the unit steps frame by frame, so that each step of the switch starts
    // at the same frame whatever the host's blocks are.
    const size_t bytes = sizeof(double) * static_cast<size_t>(n);
    std::memcpy(mainBefore.left, out[0], bytes);
    std::memcpy(mainBefore.right, out[1], bytes);
    // Faded out, the rest of the block keeps the main signal as it is.
    for (int32_t i = 0; i < n && Running(); ++i)
    {
        StepSwitch();
        // The fade-out waits for every earlier step to end.
        const bool holdFade = bypassed && (subShare > 0.0 || splitter.Sweeping());
        ShareLowBand(i);
        SplitAndSum(out, i, 1);
        BlendWithMain(out, i, holdFade);
    }
}

// The low band of the sub-band path and the high band of the main signal, summed into out.
void SubBandProcessor::SplitAndSum(double* const out[2], int32_t from, int32_t n)
{
    const double* const lowIn[2] = {subBand.left + from, subBand.right + from};
    const double* const highIn[2] = {out[0] + from, out[1] + from};
    splitter.Process(lowIn, highIn, n);
    const ChannelPair& low = splitter.lowWork;
    const ChannelPair& high = splitter.highWork;
    GainSmoother& disto = distoGainSmoother;
    const int32_t distoSteps = SmootherStep(disto.state, disto.a, disto.b, distoGain) == disto.state ? 1 : n;
    double distoNow = disto.state;
    for (int32_t i = 0; i < n; ++i)
    {
        if (i < distoSteps)
            distoNow = SmootherStep(distoNow, disto.a, disto.b, distoGain);
        out[0][from + i] = distoNow * high.left[i] + low.left[i];
        out[1][from + i] = distoNow * high.right[i] + low.right[i];
    }
    disto.state = distoNow;
}

void SubBandProcessor::EndGlides()
{
    fade = bypassed ? 0.0 : 1.0;
    subShare = fade;
    if (bypassed)
        splitter.EndSweep();
    else
        splitter.StandOnSplits();
    subGainSmoother.state = subGain;
    distoGainSmoother.state = distoGain;
}

void SubBandProcessor::StepSwitch()
{
    if (bypassed ? subShare == 0.0 : fade != 1.0)
        splitter.SweepOut();
    else if (!bypassed)
        splitter.SweepIn();
}

void SubBandProcessor::ShareLowBand(int32_t i)
{
    const double target = bypassed || fade != 1.0 || splitter.Sweeping() ? 0.0 : 1.0;
    const double step = GlideTimes::Step(TimeConstants::kUnitSwitchFadeStep, sampleRate);
    subShare = target > subShare ? std::min(subShare + step, target) : std::max(subShare - step, target);
    subBand.left[i] = subShare * subBand.left[i] + (1.0 - subShare) * mainBefore.left[i];
    subBand.right[i] = subShare * subBand.right[i] + (1.0 - subShare) * mainBefore.right[i];
}

// Fading against the main signal as it came makes switching the unit on or off a smooth
// crossfade instead of a jump at either end.
void SubBandProcessor::BlendWithMain(double* const out[2], int32_t i, bool holdFade)
{
    if (!holdFade)
    {
        const double* const unprocessed[2] = {mainBefore.left + i, mainBefore.right + i};
        double* const mixed[2] = {out[0] + i, out[1] + i};
        MixBypassFade(unprocessed, mixed, 1);
        if (!Running())
            splitter.EndSweep();
        return;
    }
    out[0][i] = (1.0 - fade) * mainBefore.left[i] + fade * out[0][i];
    out[1][i] = (1.0 - fade) * mainBefore.right[i] + fade * out[1][i];
}

} // namespace Wezmark
