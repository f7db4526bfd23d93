#include "plugin/ShaperPreviews.h"

ShaperPreviews::ShaperPreviews()
    : curve(DistortionChain::kCurvePreviewPoints), signal(DistortionChain::kSignalPreviewFrames)
{
}

void ShaperPreviews::Compute(const DistortionChain& chain)
{
    chain.ComputeShaperPreview(mCurve, mSignal);
    curve.Assign(mCurve);
    signal.Assign(mSignal);
}
