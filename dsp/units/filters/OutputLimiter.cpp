#include "dsp/units/filters/OutputLimiter.h"

#include "dsp/units/GlideTimes.h"
#include "dsp/units/SmootherStep.h"
#include "dsp/units/filters/SoftKneeCurve.h"

#include <algorithm>

namespace
{

struct ModeShape
{
    double ratio;
    double maxKneeWidth;
};

// Ratio and widest knee of modes 1 to 3.
constexpr ModeShape kModeShapes[] = {{5.0, 0.25}, {25.0, 0.1}, {1000.0, 0.02}};

// Sets ratio and knee of the record around the given threshold; other modes leave them.
void ShapeKnee(OutputLimiter& record, double centre)
{
    if (record.mode < OutputLimiter::kModeSoft || record.mode > OutputLimiter::kModeHard)
        return;
    const ModeShape& shape = kModeShapes[record.mode - OutputLimiter::kModeSoft];
    record.ratio = shape.ratio;
    record.kneeWidth = std::min(centre, shape.maxKneeWidth);
    record.kneeStart = centre - record.kneeWidth / 2.0;
    record.kneeEnd = centre + record.kneeWidth / 2.0;
}

// One step of a weight toward target, landing on it exactly.
double WeightStep(double weight, double keep, double target)
{
    return target + GlideOutStep(weight - target, keep, 1.0 - keep, 0.0);
}

// The curve of one mode around the record's smoothed threshold, with the share `madeUp` of
// the make-up that brings full scale back to full scale; mode off passes the sample.
struct ModeCurve
{
    ModeCurve(const OutputLimiter& record, uint32_t mode, double madeUp) : curve(record)
    {
        curve.mode = mode;
        curve.threshold = curve.smoothedThreshold;
        ShapeKnee(curve, curve.smoothedThreshold);
        if (mode != OutputLimiter::kModeOff)
            gain = 1.0 + madeUp * (OutputLimiter::kMakeUpTrim / SoftKneeCurve(curve, 1.0) - 1.0);
    }

    double operator()(double x) const { return curve.mode == OutputLimiter::kModeOff ? x : SoftKneeCurve(curve, x) * gain; }

    OutputLimiter curve;
    double gain = 1.0;
};

} // namespace

void OutputLimiter::EndGlides()
{
    smoothedThreshold = threshold;
    heardMode = mode;
    modeFadeLeft = 0.0;
    madeUp = MadeUpTarget();
}

void OutputLimiter::Process(const double* const in[2], double* const out[2], int32_t frames)
{
    if (!started)
    {
        heardMode = mode;
        modeFadeLeft = 0.0;
        madeUp = MadeUpTarget();
        started = true;
    }
    if (modeFadeLeft != 0.0 || mode != heardMode || madeUp != MadeUpTarget())
    {
        ProcessTransition(in, out, frames);
        return;
    }
    if (mode == kModeOff)
        return;
    // The curve is evaluated around the smoothed threshold, so a glide moves the whole
    // curve together instead of only its knee.
    OutputLimiter curve = *this;
    double gain = makeUpOn ? makeUpGain * kMakeUpTrim : 1.0;
    // A settled threshold gives every frame the same curve, so one step serves the block.
    const bool gliding = SmootherStep(smoothedThreshold, smoothingA, smoothingB, threshold) != smoothedThreshold;
    const int32_t steppedFrames = gliding ? frames : 1;
    for (int32_t i = 0; i < frames; ++i)
    {
        if (i < steppedFrames && StepsAt(i, framesPerHostFrame))
        {
            curve.smoothedThreshold = SmootherStep(curve.smoothedThreshold, smoothingA, smoothingB, threshold);
            curve.threshold = curve.smoothedThreshold;
            ShapeKnee(curve, curve.smoothedThreshold);
            // The make-up follows the curve as it glides: made up for the target at once, a
            // lowered threshold would push the output far above full scale until it arrives.
            if (makeUpOn && gliding)
                gain = 1.0 / SoftKneeCurve(curve, 1.0) * kMakeUpTrim;
        }
        // Both inputs are read before writing: the channels may share one buffer.
        const double left = in[0][i];
        const double right = in[1][i];
        out[0][i] = SoftKneeCurve(curve, left) * gain;
        out[1][i] = SoftKneeCurve(curve, right) * gain;
    }
    smoothedThreshold = curve.smoothedThreshold;
    ratio = curve.ratio;
    kneeWidth = curve.kneeWidth;
    kneeStart = curve.kneeStart;
    kneeEnd = curve.kneeEnd;
}

void OutputLimiter::Prepare(double rate, int32_t, int32_t framesPerHostFrame)
{
    this->framesPerHostFrame = framesPerHostFrame;
    smoothingA = GlideTimes::Keep(TimeConstants::kLimiterThresholdKeep, rate);
    smoothingB = 1.0 - smoothingA;
    holdHarderKeep = GlideTimes::Keep(TimeConstants::kLimiterHoldHarderKeep, rate);
    letGoKeep = GlideTimes::Keep(TimeConstants::kLimiterLetGoKeep, rate);
}

void OutputLimiter::ProcessTransition(const double* const in[2], double* const out[2], int32_t frames)
{
    const double madeUpTarget = MadeUpTarget();
    const double makeUpKeep = makeUpOn ? letGoKeep : holdHarderKeep;
    OutputLimiter glide = *this;
    for (int32_t i = 0; i < frames; ++i)
    {
        if (StepsAt(i, framesPerHostFrame))
        {
            // A change that comes during a crossfade waits for its end.
            if (glide.modeFadeLeft == 0.0 && mode != glide.heardMode)
            {
                glide.leavingMode = glide.heardMode;
                glide.heardMode = mode;
                glide.modeFadeLeft = 1.0;
            }
            const double modeKeep = glide.heardMode > glide.leavingMode ? holdHarderKeep : letGoKeep;
            glide.smoothedThreshold = SmootherStep(glide.smoothedThreshold, smoothingA, smoothingB, threshold);
            glide.modeFadeLeft = WeightStep(glide.modeFadeLeft, modeKeep, 0.0);
            glide.madeUp = WeightStep(glide.madeUp, makeUpKeep, madeUpTarget);
        }
        const ModeCurve heard(glide, glide.heardMode, glide.madeUp);
        const double left = in[0][i];
        const double right = in[1][i];
        if (glide.modeFadeLeft == 0.0)
        {
            out[0][i] = heard(left);
            out[1][i] = heard(right);
            continue;
        }
        const ModeCurve leaving(glide, glide.leavingMode, glide.madeUp);
        const double w = glide.modeFadeLeft;
        out[0][i] = (1.0 - w) * heard(left) + w * leaving(left);
        out[1][i] = (1.0 - w) * heard(right) + w * leaving(right);
    }
    const ModeCurve settled(glide, glide.heardMode, glide.madeUp);
    smoothedThreshold = glide.smoothedThreshold;
    heardMode = glide.heardMode;
    leavingMode = glide.leavingMode;
    modeFadeLeft = glide.modeFadeLeft;
    madeUp = glide.madeUp;
    ratio = settled.curve.ratio;
    kneeWidth = settled.curve.kneeWidth;
    kneeStart = settled.curve.kneeStart;
    kneeEnd = settled.curve.kneeEnd;
}

double OutputLimiter::MakeUpGainForTarget() const
{
    OutputLimiter settled = *this;
    ShapeKnee(settled, threshold);
    return 1.0 / SoftKneeCurve(settled, 1.0);
}
