#include "tests/plugin/PluginRig.h"

#include "framework/vst2/Vst2Constants.h"
#include "tests/support/TestSignals.h"

#include <algorithm>
#include <cmath>
#include <numbers>

PluginRig::PluginRig(int blockSize, audioMasterCallback host, double rate) : plugin(*new Zarvotone(host))
{
    Dispatch(effOpen);
    Dispatch(effSetSampleRate, 0, 0, static_cast<float>(rate));
    Dispatch(effSetBlockSize, 0, blockSize);
    Dispatch(effMainsChanged, 0, 1);
}

PluginRig::~PluginRig()
{
    Dispatch(effClose);
}

VstIntPtr PluginRig::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt)
{
    AEffect* effect = plugin.GetEffect();
    return effect->dispatcher(effect, opcode, index, value, nullptr, opt);
}

void PluginRig::Set(int index, double value)
{
    plugin.GetParam(index)->SetNormalized(value);
    plugin.ParamChanged(index);
}

void PluginRig::SetIdentity()
{
    Set(kParamDryWet, 0.0);
    Set(kParamLimiterMode, 0.0);
    Set(kParamVolume, 1.0);
    Set(kParamPan, 0.5);
}

StereoSignal PluginRig::Render(const StereoSignal& input, int hostBlock)
{
    StereoSignal output{Signal(input.left.size()), Signal(input.right.size())};
    const int frames = static_cast<int>(input.left.size());
    for (int offset = 0; offset < frames; offset += hostBlock)
    {
        const int count = std::min(hostBlock, frames - offset);
        double* in[2] = {const_cast<double*>(input.left.data()) + offset, const_cast<double*>(input.right.data()) + offset};
        double* out[2] = {output.left.data() + offset, output.right.data() + offset};
        plugin.ProcessBlock(in, out, count);
    }
    return output;
}

StereoSignal MakeNoise(int frames, double amplitude, uint32_t seed)
{
    StereoSignal signal{Signal(static_cast<size_t>(frames)), Signal(static_cast<size_t>(frames))};
    TestRandom random(seed);
    for (int i = 0; i < frames; ++i)
    {
        signal.left[static_cast<size_t>(i)] = random.Signed(amplitude);
        signal.right[static_cast<size_t>(i)] = random.Signed(amplitude);
    }
    return signal;
}

StereoSignal MakeSine(int frames, double hz, double amplitude)
{
    StereoSignal signal{Signal(static_cast<size_t>(frames)), Signal(static_cast<size_t>(frames))};
    for (int i = 0; i < frames; ++i)
        signal.left[static_cast<size_t>(i)] = signal.right[static_cast<size_t>(i)] =
            amplitude * std::sin(2.0 * std::numbers::pi * hz * i / PluginRig::kRate);
    return signal;
}
