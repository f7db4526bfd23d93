#pragma once
// The effect on the VST3 binding as a host runs it: initialised, buses active, set up for
// 64-bit stereo blocks and active, with the buffers and the process record of one block.

#include "plugin/Zarvotone.h"
#include "vst3/abi/IParameterChanges.h"
#include "vst3/abi/ProcessData.h"

#include <vector>

class Vst3ProcessRig
{
public:
    Vst3ProcessRig(int blockSize, double rate);
    ~Vst3ProcessRig();
    Vst3ProcessRig(const Vst3ProcessRig&) = delete;
    Vst3ProcessRig& operator=(const Vst3ProcessRig&) = delete;

    // One block of a steady tone, with the host's parameter changes when given.
    Vst3::tresult Process(Vst3::IParameterChanges* changes = nullptr);

    Zarvotone& plugin;

private:
    std::vector<double> mLeft, mRight, mOutLeft, mOutRight;
    double* mInputChannels[2];
    double* mOutputChannels[2];
    Vst3::AudioBusBuffers mInput{};
    Vst3::AudioBusBuffers mOutput{};
    Vst3::ProcessData mData{};
};
