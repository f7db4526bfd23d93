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
    // The host's buffers of channel 0 (left) and 1 (right); the input keeps what is written to it.
    std::vector<double>& Input(int channel) { return channel == 0 ? mLeft : mRight; }
    const std::vector<double>& Output(int channel) const { return channel == 0 ? mOutLeft : mOutRight; }
    // As a host that reuses its buffers leaves them before a call.
    void FillOutputs(double value);

    Zarvotone& plugin;

private:
    std::vector<double> mLeft, mRight, mOutLeft, mOutRight;
    double* mInputChannels[2];
    double* mOutputChannels[2];
    Vst3::AudioBusBuffers mInput{};
    Vst3::AudioBusBuffers mOutput{};
    Vst3::ProcessData mData{};
};
