#pragma once
// One opened effect as a host prepares it: opened, rate and block size set, processing on.

#include "plugin/Zarvotone.h"

#include <cstdint>
#include <vector>

using Signal = std::vector<double>;

struct StereoSignal
{
    Signal left;
    Signal right;
};

class PluginRig
{
public:
    static constexpr double kRate = 44100.0;
    static constexpr int kBlock = 512;

    explicit PluginRig(int blockSize = kBlock, audioMasterCallback host = nullptr, double rate = kRate);
    ~PluginRig();
    PluginRig(const PluginRig&) = delete;
    PluginRig& operator=(const PluginRig&) = delete;

    Zarvotone& plugin;

    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, float opt = 0.0f);
    // As the editor or a host sets it: the parameter takes the value, then the change is applied.
    void Set(int index, double value);
    // Dry/wet 0, limiter off, volume 1, pan centred: the output should be the input.
    void SetIdentity();
    // Runs the whole signal in host blocks of `hostBlock` frames.
    StereoSignal Render(const StereoSignal& input, int hostBlock);
};

// Deterministic noise in [-amplitude, amplitude), the same in every build.
StereoSignal MakeNoise(int frames, double amplitude, uint32_t seed = 1);
// The same sine in both channels, starting at phase 0, at the rig's rate.
StereoSignal MakeSine(int frames, double hz, double amplitude);
