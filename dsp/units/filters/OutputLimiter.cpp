#include "dsp/units/filters/OutputLimiter.h"

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

} // namespace

void OutputLimiter::ProcessBlock(const double* const in[2], double* const out[2], int32_t frames)
{
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

double OutputLimiter::MakeUpGainForTarget() const
{
    OutputLimiter settled = *this;
    ShapeKnee(settled, threshold);
    return 1.0 / SoftKneeCurve(settled, 1.0);
}
