#pragma once
// One RecordingProduct as a host holds it: through its interfaces, initialised with a test
// host context, its buses activated. Released when the test ends.

#include "tests/vst3/RecordingProduct.h"
#include "tests/vst3/TestHostApplication.h"

#include <vector>

// One bus of host channels of one sample type, with the record the process call reads.
template <typename Sample>
struct HostBus
{
    HostBus(int channels, int frames, Sample fill = 0)
        : samples(static_cast<size_t>(channels), std::vector<Sample>(static_cast<size_t>(frames), fill))
    {
        for (auto& channel : samples)
            pointers.push_back(channel.data());
        record.numChannels = channels;
        record.silenceFlags = 0;
        Attach();
    }
    void Attach();

    std::vector<std::vector<Sample>> samples;
    std::vector<Sample*> pointers;
    Vst3::AudioBusBuffers record{};
};

template <>
inline void HostBus<float>::Attach()
{
    record.channelBuffers32 = pointers.data();
}

template <>
inline void HostBus<double>::Attach()
{
    record.channelBuffers64 = pointers.data();
}

class HostedEffect
{
public:
    static constexpr double kSampleRate = 48000.0;
    static constexpr Vst3::int32 kBlockSize = 64;

    // Initialised, buses active; set up for 64-bit processing unless told otherwise.
    explicit HostedEffect(bool setUp = true);
    ~HostedEffect();
    HostedEffect(const HostedEffect&) = delete;
    HostedEffect& operator=(const HostedEffect&) = delete;

    Vst3::tresult Setup(Vst3::int32 sampleSize, Vst3::int32 blockSize = kBlockSize,
                        double sampleRate = kSampleRate);

    // One process call with one input and one output bus.
    template <typename Sample>
    Vst3::tresult Process(HostBus<Sample>& inputs, HostBus<Sample>& outputs, Vst3::int32 frames,
                          Vst3::IParameterChanges* changes = nullptr)
    {
        Vst3::ProcessData data{};
        data.symbolicSampleSize = sizeof(Sample) == sizeof(double) ? 1 : 0;
        data.numSamples = frames;
        data.numInputs = 1;
        data.numOutputs = 1;
        data.inputs = &inputs.record;
        data.outputs = &outputs.record;
        data.inputParameterChanges = changes;
        return Processor()->process(data);
    }
    Vst3::tresult Process(Vst3::ProcessData& data) { return Processor()->process(data); }

    RecordingProduct& Product() { return *mProduct; }
    Vst3::IComponent* Component() { return mProduct; }
    Vst3::IAudioProcessor* Processor() { return mProduct; }
    Vst3::IEditController* Controller() { return mProduct; }
    Vst3::IUnitInfo* Units() { return mProduct; }
    TestHostApplication& Host() { return mHost; }

private:
    TestHostApplication mHost;
    RecordingProduct* mProduct;
};

// Two channels of a ramp and a different ramp, in the sample type.
template <typename Sample>
HostBus<Sample> RampBus(int frames)
{
    HostBus<Sample> bus(2, frames);
    for (int i = 0; i < frames; ++i)
    {
        bus.samples[0][static_cast<size_t>(i)] = static_cast<Sample>(0.001 * (i + 1));
        bus.samples[1][static_cast<size_t>(i)] = static_cast<Sample>(-0.0005 * (i + 3));
    }
    return bus;
}
