#include "vst3/IEffectVST3.h"

#include "vst3/SpeakerArrangements.h"
#include "vst3/abi/ResultCodes.h"
#include "vst3/abi/Vst3Constants.h"

#include <bit>

namespace
{
// The main input is the only input bus this product has.
constexpr Vst3::int32 kInputBusCount = 1;

// The channels the host asks for on the first bus, or the plug-in's own count when it asks
// nothing for that direction.
int RequestedChannels(const Vst3::SpeakerArrangement* arrangements, Vst3::int32 count, int ownChannels)
{
    if (ownChannels > 0 && arrangements && count > 0)
        return std::popcount(arrangements[0]);
    return ownChannels;
}
}

Vst3::tresult PLUGIN_API IEffectVST3::setBusArrangements(Vst3::SpeakerArrangement* inputs, Vst3::int32 inputCount,
                                                         Vst3::SpeakerArrangement* outputs, Vst3::int32 outputCount)
{
    // Everything is checked before anything changes, so a refused request leaves the buses
    // and channels as they were.
    const int inputChannels = RequestedChannels(inputs, inputCount, GetInChannelCount());
    const int outputChannels = RequestedChannels(outputs, outputCount, GetOutChannelCount());
    if (!LegalIO(inputChannels, outputChannels) || inputCount != kInputBusCount)
        return Vst3::kResultFalse;

    DisconnectAllChannels();
    const Vst3::AudioBus* input = InputBus(0);
    if (input && input->ChannelCount() != inputChannels)
        SetBusArrangement(Vst3::kDirectionInput, 0, ArrangementForChannels(inputChannels));
    const Vst3::AudioBus* output = OutputBus(0);
    if (output && output->ChannelCount() != outputChannels)
        SetBusArrangement(Vst3::kDirectionOutput, 0, ArrangementForChannels(outputChannels));
    return Vst3::kResultOk;
}

void IEffectVST3::DisconnectAllChannels()
{
    for (int i = 0; i < GetInChannelCount(); ++i)
    {
        InChannel* channel = GetInChannel(i);
        channel->connected = false;
        *channel->source = channel->Scratch();
    }
    for (int i = 0; i < GetOutChannelCount(); ++i)
    {
        OutChannel* channel = GetOutChannel(i);
        channel->connected = false;
        *channel->destination = channel->Scratch();
        channel->floatDestination = nullptr;
    }
}
