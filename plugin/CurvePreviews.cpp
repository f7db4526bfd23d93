#include "plugin/CurvePreviews.h"

CurvePreviews::CurvePreviews()
    : curve(DistortionChain::kCurvePreviewPoints), signal(DistortionChain::kSignalPreviewFrames)
{
}

void CurvePreviews::Compute(DistortionChain& chain)
{
    chain.ComputeCurvePreview(mCurve, mSignal);
    curve.Assign(mCurve);
    signal.Assign(mSignal);
}
