#include "vst3/IEffectVST3.h"

#include "framework/SampleConversion.h"
#include "framework/ScopedLock.h"
#include "vst3/HostValue.h"
#include "vst3/abi/IParameterChanges.h"
#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace
{
constexpr Vst3::int32 kAfterEveryPoint = std::numeric_limits<Vst3::int32>::max();

size_t Bytes(Vst3::int32 frames, size_t sampleSize)
{
    return static_cast<size_t>(frames) * sampleSize;
}

bool IsDouble(const Vst3::ProcessData& data)
{
    return data.symbolicSampleSize == Vst3::kSampleSize64;
}

size_t SampleBytes(const Vst3::ProcessData& data)
{
    return IsDouble(data) ? sizeof(double) : sizeof(float);
}

// The host's buffer of one channel of a bus, or null when the host gives none.
void* HostChannel(const Vst3::AudioBusBuffers& bus, Vst3::int32 channel, bool isDouble)
{
    if (channel < 0 || channel >= bus.numChannels)
        return nullptr;
    if (isDouble)
        return bus.channelBuffers64 ? bus.channelBuffers64[channel] : nullptr;
    return bus.channelBuffers32 ? bus.channelBuffers32[channel] : nullptr;
}

const Vst3::AudioBusBuffers* Bus(const Vst3::AudioBusBuffers* buses, Vst3::int32 count, Vst3::int32 index)
{
    return buses && index >= 0 && index < count ? &buses[index] : nullptr;
}

// Whether a host input buffer is also one of the host's output buffers (in-place processing).
bool IsAlsoAnOutput(const Vst3::ProcessData& data, const void* input)
{
    for (Vst3::int32 b = 0; data.outputs && b < data.numOutputs; ++b)
    {
        const Vst3::AudioBusBuffers& bus = data.outputs[b];
        for (Vst3::int32 c = 0; c < bus.numChannels; ++c)
        {
            if (HostChannel(bus, c, IsDouble(data)) == input)
                return true;
        }
    }
    return false;
}

// Zeroes a slice of every host output channel; used where the plug-in produces nothing.
void SilenceHostOutputs(const Vst3::ProcessData& data, Vst3::int32 offset, Vst3::int32 frames)
{
    for (Vst3::int32 b = 0; data.outputs && b < data.numOutputs; ++b)
    {
        for (Vst3::int32 c = 0; c < data.outputs[b].numChannels; ++c)
        {
            if (auto* samples = static_cast<char*>(HostChannel(data.outputs[b], c, IsDouble(data))))
                std::memset(samples + Bytes(offset, SampleBytes(data)), 0, Bytes(frames, SampleBytes(data)));
        }
    }
}
}

Vst3::tresult PLUGIN_API IEffectVST3::process(Vst3::ProcessData& data)
{
    if (data.symbolicSampleSize != Vst3::kSampleSize32 && data.symbolicSampleSize != Vst3::kSampleSize64)
        return Vst3::kInvalidArgument;
    if (data.numInputs < 0 || data.numOutputs < 0)
        return Vst3::kInvalidArgument;
    try
    {
        ScopedLock lock(mLock);
        ++mProcessCalls;
        // A program chosen in the queue loads here, on the audio thread.
        const AudioCall audioCall(*this);
        if (data.processContext)
            mProcessContext = *data.processContext;
        if (mPendingPreset != kNoPendingPreset)
            TrySelectPreset(mPendingPreset);
        mPointWalk.Start(data.inputParameterChanges);
        for (Vst3::int32 b = 0; data.outputs && b < data.numOutputs; ++b)
            data.outputs[b].silenceFlags = 0;

        const Vst3::int32 frames = std::max(data.numSamples, 0);
        const Vst3::int32 slice = GetBlockSize();
        // Before setupProcessing there are no buffers to process in.
        if (slice <= 0)
        {
            ApplyPointsUpTo(kAfterEveryPoint);
            SilenceHostOutputs(data, 0, frames);
            return Vst3::kResultOk;
        }
        // The block runs in pieces that end where a parameter point is due. Points take effect
        // no sooner than kShortestPiece frames after points last did, counted across blocks:
        // denser ones wait, and the latest of them acts; points further apart act at their own
        // frames, so such automation sounds the same at any host block size. A host block longer
        // than the announced maximum also runs in slices of at most that size.
        Vst3::int32 offset = 0;
        do
        {
            if (mFramesSincePoints >= kShortestPiece && ApplyPointsUpTo(offset))
                mFramesSincePoints = 0;
            const Vst3::int32 untilPoint =
                std::max(mPointWalk.NextFrame(frames) - offset, kShortestPiece - mFramesSincePoints);
            const Vst3::int32 count = std::min({slice, untilPoint, frames - offset});
            AttachInputs(data, offset, count);
            AttachOutputs(data, offset, count);
            RunBlock(count);
            if (!IsDouble(data))
                CopyOutputsToHost(count);
            offset += count;
            mFramesSincePoints = std::min(mFramesSincePoints + count, kShortestPiece);
        } while (offset < frames);
        // Points at or past the block's end, and those that waited, hold from the next block on.
        if (ApplyPointsUpTo(kAfterEveryPoint))
            mFramesSincePoints = 0;
        return Vst3::kResultOk;
    }
    catch (...)
    {
        return Vst3::kInternalError;
    }
}

bool IEffectVST3::ApplyPointsUpTo(Vst3::int32 frame)
{
    return mPointWalk.HandOutUpTo(frame,
                                  [this](Vst3::ParamID id, Vst3::ParamValue value) { ApplyHostValue(id, value); });
}

void IEffectVST3::ApplyHostValue(Vst3::ParamID id, double value)
{
    double normalised = 0.0;
    if (!AcceptHostValue(value, normalised))
        return;
    if (id == kBypassParamId)
    {
        mBypassed = normalised > 0.5;
        return;
    }
    if (id == kProgramParamId)
    {
        const int index = PresetIndexForValue(normalised);
        // The controller has loaded this change already; loading it again would fade for nothing
        // and drop the edits made since.
        if (!TakeControllerPreset(index))
            TrySelectPreset(index);
        return;
    }
    IParameter* record = GetParam(static_cast<int>(id));
    if (!record)
        return;
    record->SetNormalized(normalised);
    // The product shows the value with the rest of its displays, from the UI thread.
    ParamChanged(static_cast<int>(id));
}

// k / count reaches preset k, and so does k / (count - 1), which some hosts send; 1.0 is the last.
int IEffectVST3::PresetIndexForValue(double normalised) const
{
    return std::clamp(static_cast<int>(normalised * GetPresetCount()), 0, std::max(GetPresetCount() - 1, 0));
}

bool IEffectVST3::TakeControllerPreset(int index)
{
    ControllerPresetMark mark = mControllerPreset.load();
    const uint32_t call = mProcessCalls.load();
    // Counted modulo 2^32: the mark holds while this call is not past its last one.
    if (mark.preset != index || static_cast<int32_t>(mark.lastCall - call) < 0)
        return false;
    mControllerPreset.compare_exchange_strong(mark, kNoControllerPreset);
    return true;
}

// The presets belong to a state call of the UI thread while it runs; the audio thread never
// waits for that, and selects the preset in a later block instead.
void IEffectVST3::TrySelectPreset(int index)
{
    mPendingPreset = index;
    if (!mStateLock.TryEnter())
        return;
    // Already held, so this cannot wait; it releases the lock on every way out.
    ScopedLock held(mStateLock);
    mStateLock.Leave();
    mPendingPreset = kNoPendingPreset;
    // The host reads every value again, later, from its UI thread.
    if (SelectPreset(index))
        UpdateHostDisplay();
}

void IEffectVST3::AttachInputs(const Vst3::ProcessData& data, Vst3::int32 offset, Vst3::int32 frames)
{
    const Vst3::AudioBusBuffers* bus = Bus(data.inputs, data.numInputs, 0);
    for (int c = 0; c < GetInChannelCount(); ++c)
    {
        InChannel* channel = GetInChannel(c);
        double* scratch = channel->Scratch();
        void* host = bus ? HostChannel(*bus, c, IsDouble(data)) : nullptr;
        channel->connected = host != nullptr;
        *channel->source = scratch;
        if (!host)
        {
            // A channel the host does not feed reads silence, never an earlier block.
            std::memset(scratch, 0, Bytes(frames, sizeof(double)));
        }
        else if (!IsDouble(data))
        {
            CopyFloatToDouble(static_cast<float*>(host) + offset, scratch, frames);
        }
        else if (IsAlsoAnOutput(data, host))
        {
            // Processing in place would let early outputs overwrite inputs still to be read.
            std::memcpy(scratch, static_cast<double*>(host) + offset, Bytes(frames, sizeof(double)));
        }
        else
        {
            *channel->source = static_cast<double*>(host) + offset;
        }
    }
}

void IEffectVST3::AttachOutputs(const Vst3::ProcessData& data, Vst3::int32 offset, Vst3::int32 frames)
{
    int next = 0;
    for (Vst3::int32 b = 0; data.outputs && b < data.numOutputs; ++b)
    {
        const Vst3::AudioBusBuffers& bus = data.outputs[b];
        const Vst3::AudioBus* pluginBus = OutputBus(b);
        const bool active = pluginBus && pluginBus->active;
        for (Vst3::int32 c = 0; c < bus.numChannels; ++c)
        {
            void* host = HostChannel(bus, c, IsDouble(data));
            OutChannel* channel = next < GetOutChannelCount() ? GetOutChannel(next++) : nullptr;
            const bool connected = channel && active && host;
            if (host && !connected)
                std::memset(static_cast<char*>(host) + Bytes(offset, SampleBytes(data)), 0,
                            Bytes(frames, SampleBytes(data)));
            if (!channel)
                continue;
            channel->connected = connected;
            channel->floatDestination = connected && !IsDouble(data) ? static_cast<float*>(host) + offset : nullptr;
            *channel->destination =
                connected && IsDouble(data) ? static_cast<double*>(host) + offset : channel->Scratch();
        }
    }
    for (; next < GetOutChannelCount(); ++next)
    {
        OutChannel* channel = GetOutChannel(next);
        channel->connected = false;
        channel->floatDestination = nullptr;
        *channel->destination = channel->Scratch();
    }
}

void IEffectVST3::RunBlock(Vst3::int32 frames)
{
    mBypassFade.Follow(mBypassed);
    if (!mBypassFade.EffectRuns())
    {
        OnBlockPassedBy();
        PassThroughWithDelay(frames);
        return;
    }
    const bool blend = !mBypassFade.EffectOnly();
    DelayInputs(frames, blend);
    ProcessBlock(static_cast<double**>(mInputPointers.Data()), static_cast<double**>(mOutputPointers.Data()), frames);
    if (blend)
        BlendBypassedSignal(frames);
}

// Bypassed, input i goes to output i delayed by the reported latency, so a host that makes up
// for that latency keeps the track in time; further outputs are silent.
void IEffectVST3::PassThroughWithDelay(Vst3::int32 frames)
{
    for (int i = 0; i < GetInChannelCount(); ++i)
    {
        double* output = i < GetOutChannelCount() ? *GetOutChannel(i)->destination : nullptr;
        mBypassDelays[static_cast<size_t>(i)].Process(*GetInChannel(i)->source, output, frames);
    }
    for (int i = GetInChannelCount(); i < GetOutChannelCount(); ++i)
        std::memset(*GetOutChannel(i)->destination, 0, Bytes(frames, sizeof(double)));
}

// The delays hear the input while the effect runs too, so that the bypassed signal continues
// the input instead of starting with a gap.
void IEffectVST3::DelayInputs(Vst3::int32 frames, bool keep)
{
    for (int i = 0; i < GetInChannelCount(); ++i)
    {
        const auto channel = static_cast<size_t>(i);
        mBypassDelays[channel].Process(*GetInChannel(i)->source, keep ? mBypassedSignal[channel].data() : nullptr,
                                       frames);
    }
}

void IEffectVST3::BlendBypassedSignal(Vst3::int32 frames)
{
    const std::span<const double> weights = mBypassFade.Advance(frames);
    for (int i = 0; i < GetOutChannelCount(); ++i)
    {
        const double* bypassed = i < GetInChannelCount() ? mBypassedSignal[static_cast<size_t>(i)].data() : nullptr;
        BlendBypassed(*GetOutChannel(i)->destination, bypassed, weights);
    }
}

void IEffectVST3::CopyOutputsToHost(Vst3::int32 frames)
{
    for (int i = 0; i < GetOutChannelCount(); ++i)
    {
        const OutChannel* channel = GetOutChannel(i);
        if (channel->connected && channel->floatDestination)
            CopyDoubleToFloat(*channel->destination, channel->floatDestination, frames);
    }
}
