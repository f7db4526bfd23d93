#include "tests/vst3/HostedEffect.h"

#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"

HostedEffect::HostedEffect(bool setUp) : mProduct(new RecordingProduct)
{
    mProduct->initialize(&mHost);
    for (Vst3::int32 direction : {Vst3::kDirectionInput, Vst3::kDirectionOutput})
        mProduct->activateBus(Vst3::kMediaTypeAudio, direction, 0, 1);
    if (setUp)
        Setup(Vst3::kSampleSize64);
}

HostedEffect::~HostedEffect()
{
    mProduct->terminate();
    mProduct->release();
}

Vst3::tresult HostedEffect::Setup(Vst3::int32 sampleSize, Vst3::int32 blockSize, double sampleRate)
{
    Vst3::ProcessSetup setup{Vst3::kProcessModeRealtime, sampleSize, blockSize, sampleRate};
    return mProduct->setupProcessing(setup);
}
