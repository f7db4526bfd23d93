#include "tests/plugin/Vst3ProcessRig.h"

#include "vst3/abi/Vst3Constants.h"

#include <algorithm>
#include <cmath>

Vst3ProcessRig::Vst3ProcessRig(int blockSize, double rate)
    : plugin(*new Zarvotone(nullptr)),
      mLeft(static_cast<size_t>(blockSize)),
      mRight(static_cast<size_t>(blockSize)),
      mOutLeft(static_cast<size_t>(blockSize)),
      mOutRight(static_cast<size_t>(blockSize)),
      mInputChannels{mLeft.data(), mRight.data()},
      mOutputChannels{mOutLeft.data(), mOutRight.data()}
{
    plugin.initialize(nullptr);
    for (Vst3::int32 direction : {Vst3::kDirectionInput, Vst3::kDirectionOutput})
        plugin.activateBus(Vst3::kMediaTypeAudio, direction, 0, 1);
    Vst3::ProcessSetup setup{Vst3::kProcessModeRealtime, Vst3::kSampleSize64, blockSize, rate};
    plugin.setupProcessing(setup);
    plugin.setActive(true);

    for (size_t i = 0; i < mLeft.size(); ++i)
    {
        mLeft[i] = 0.5 * std::sin(0.031 * static_cast<double>(i));
        mRight[i] = 0.5 * std::sin(0.047 * static_cast<double>(i) + 1.0);
    }
    mInput.numChannels = 2;
    mInput.channelBuffers64 = mInputChannels;
    mOutput.numChannels = 2;
    mOutput.channelBuffers64 = mOutputChannels;
    mData.processMode = Vst3::kProcessModeRealtime;
    mData.symbolicSampleSize = Vst3::kSampleSize64;
    mData.numSamples = blockSize;
    mData.numInputs = 1;
    mData.numOutputs = 1;
    mData.inputs = &mInput;
    mData.outputs = &mOutput;
}

Vst3ProcessRig::~Vst3ProcessRig()
{
    plugin.setActive(false);
    plugin.terminate();
    plugin.release();
}

Vst3::tresult Vst3ProcessRig::Process(Vst3::IParameterChanges* changes)
{
    mData.inputParameterChanges = changes;
    return plugin.process(mData);
}

void Vst3ProcessRig::FillOutputs(double value)
{
    std::fill(mOutLeft.begin(), mOutLeft.end(), value);
    std::fill(mOutRight.begin(), mOutRight.end(), value);
}
