#pragma once

#include "vst3/abi/FUnknown.h"
#include "vst3/abi/ProcessData.h"
#include "vst3/abi/ProcessSetup.h"

namespace Vst3
{
// Audio processing: bus arrangements, sample size, setup and the process call (audio thread).
class IAudioProcessor : public FUnknown
{
public:
    static constexpr Uid kIid{0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D};

    virtual tresult PLUGIN_API setBusArrangements(SpeakerArrangement* inputs, int32 inputCount,
                                                  SpeakerArrangement* outputs, int32 outputCount) = 0;
    virtual tresult PLUGIN_API getBusArrangement(int32 direction, int32 index, SpeakerArrangement& arrangement) = 0;
    virtual tresult PLUGIN_API canProcessSampleSize(int32 symbolicSampleSize) = 0;
    virtual uint32 PLUGIN_API getLatencySamples() = 0;
    virtual tresult PLUGIN_API setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult PLUGIN_API setProcessing(TBool state) = 0;
    virtual tresult PLUGIN_API process(ProcessData& data) = 0;
    virtual uint32 PLUGIN_API getTailSamples() = 0;
};
}
