#include "framework/vst2/IEffectVST.h"

#include "graphics/IGraphics.h"
#include "framework/SampleConversion.h"
#include "framework/ScopedLock.h"
#include "framework/vst2/Vst2Constants.h"

#include <algorithm>
#include <cmath>

namespace
{
// Runs one host entry under the plug-in lock; no exception may cross into the host.
template <typename Result, typename Call>
Result CallLocked(AEffect* effect, Result fallback, Call call)
{
    IEffectVST* plugin = IEffectVST::FromEffect(effect);
    if (!plugin)
        return fallback;
    try
    {
        ScopedLock lock(plugin->GetLock());
        return call(*plugin);
    }
    catch (...)
    {
        return fallback;
    }
}

struct NoResult
{
};
}

template <typename Block>
void IEffectVST::RunBlock(AEffect* effect, Block block)
{
    CallLocked(effect, NoResult{}, [&](IEffectVST& plugin) {
        block(plugin);
        // Under the lock still, which effClose waits for before the object goes.
        plugin.TellHostWhatItIsStillToHear();
        return NoResult{};
    });
}

void IEffectVST::ProcessAccumulating(AEffect* effect, float** inputs, float** outputs, VstInt32 frames)
{
    RunBlock(effect, [&](IEffectVST& plugin) { plugin.ProcessFloat(inputs, outputs, frames, true); });
}

void IEffectVST::ProcessReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames)
{
    RunBlock(effect, [&](IEffectVST& plugin) { plugin.ProcessFloat(inputs, outputs, frames, false); });
}

void IEffectVST::ProcessDoubleReplacing(AEffect* effect, double** inputs, double** outputs, VstInt32 frames)
{
    RunBlock(effect, [&](IEffectVST& plugin) { plugin.ProcessDouble(inputs, outputs, frames); });
}

void IEffectVST::SetParameter(AEffect* effect, VstInt32 index, float value)
{
    CallLocked(effect, NoResult{}, [&](IEffectVST& plugin) {
        plugin.SetParameterValue(index, value);
        return NoResult{};
    });
}

float IEffectVST::GetParameter(AEffect* effect, VstInt32 index)
{
    return CallLocked(effect, 0.0f, [&](IEffectVST& plugin) { return plugin.GetParameterValue(index); });
}

void IEffectVST::WantMidiIfNeeded()
{
    if (mWantsMidi)
        CallHost(audioMasterWantMidi);
}

template <typename Slice>
void IEffectVST::ForEachSlice(int32_t frames, Slice slice)
{
    WantMidiIfNeeded();
    const int32_t blockSize = GetBlockSize();
    if (blockSize <= 0)
        return;
    for (int32_t offset = 0; offset < frames; offset += blockSize)
        slice(offset, std::min(blockSize, frames - offset));
}

void IEffectVST::ProcessFloat(float** inputs, float** outputs, int32_t frames, bool accumulate)
{
    auto** inputSlots = static_cast<double**>(mInputPointers.Data());
    auto** outputSlots = static_cast<double**>(mOutputPointers.Data());
    ForEachSlice(frames, [&](int32_t offset, int32_t count) {
        AttachFloatBuffers(inputs, outputs, offset, count);
        if (accumulate)
        {
            ProcessBlockAccumulating(count);
            return;
        }
        ProcessBlock(inputSlots, outputSlots, count);
        for (int i = 0; i < GetOutChannelCount(); ++i)
        {
            const OutChannel* channel = GetOutChannel(i);
            if (channel->connected && channel->floatDestination && *channel->destination)
                CopyDoubleToFloat(*channel->destination, channel->floatDestination, count);
        }
    });
}

void IEffectVST::AttachFloatBuffers(float** inputs, float** outputs, int32_t offset, int32_t frames)
{
    int hostChannel = 0;
    for (int i = 0; i < GetInChannelCount(); ++i)
    {
        InChannel* channel = GetInChannel(i);
        if (!channel->connected)
            continue;
        const float* source = inputs ? inputs[hostChannel] : nullptr;
        ++hostChannel;
        // A channel the host leaves out stays missing: the effect knows what stands in for it
        // (a mono input feeds both sides).
        if (!source)
        {
            *channel->source = nullptr;
            continue;
        }
        double* scratch = channel->Scratch();
        CopyFloatToDouble(source + offset, scratch, frames);
        *channel->source = scratch;
    }
    hostChannel = 0;
    for (int i = 0; i < GetOutChannelCount(); ++i)
    {
        OutChannel* channel = GetOutChannel(i);
        if (!channel->connected)
            continue;
        float* destination = outputs ? outputs[hostChannel] : nullptr;
        ++hostChannel;
        *channel->destination = channel->Scratch();
        channel->floatDestination = destination ? destination + offset : nullptr;
    }
}

void IEffectVST::ProcessDouble(double** inputs, double** outputs, int32_t frames)
{
    auto** inputSlots = static_cast<double**>(mInputPointers.Data());
    auto** outputSlots = static_cast<double**>(mOutputPointers.Data());
    ForEachSlice(frames, [&](int32_t offset, int32_t count) {
        AttachDoubleBuffers(inputs, outputs, offset);
        ProcessBlock(inputSlots, outputSlots, count);
    });
}

void IEffectVST::AttachDoubleBuffers(double** inputs, double** outputs, int32_t offset)
{
    int hostChannel = 0;
    for (int i = 0; i < GetInChannelCount(); ++i)
    {
        InChannel* channel = GetInChannel(i);
        if (!channel->connected)
            continue;
        double* source = inputs ? inputs[hostChannel] : nullptr;
        ++hostChannel;
        if (source)
        {
            *channel->source = source + offset;
            continue;
        }
        // Missing, as above.
        *channel->source = nullptr;
    }
    hostChannel = 0;
    for (int i = 0; i < GetOutChannelCount(); ++i)
    {
        OutChannel* channel = GetOutChannel(i);
        if (!channel->connected)
            continue;
        double* destination = outputs ? outputs[hostChannel] : nullptr;
        ++hostChannel;
        *channel->destination = destination ? destination + offset : channel->Scratch();
    }
}

void IEffectVST::SetParameterValue(int32_t index, float value)
{
    if (!ParamIndexValid(index) || std::isnan(value))
        return;
    const double normalised = std::clamp(static_cast<double>(value), 0.0, 1.0);
    if (mGraphics)
        mGraphics->ShowParamValue(index, normalised, true);
    GetParam(index)->SetNormalized(normalised);
    ParamChanged(index);
}

float IEffectVST::GetParameterValue(int32_t index) const
{
    return ParamIndexValid(index) ? static_cast<float>(GetParam(index)->GetNormalized()) : 0.0f;
}
