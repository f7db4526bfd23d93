#pragma once

#include "dsp/filters/ChannelState.h"
#include "dsp/filters/FilterDesignBase.h"

#include <algorithm>
#include <array>

namespace Dsp {

// Adds the channels' filter memory and runs blocks through the design's cascade.
template <class DesignClass, int Channels, class StateType>
class FilterDesign : public FilterDesignBase<DesignClass> {
public:
    int32_t GetNumChannels() const override { return Channels; }

    void Reset() override
    {
        for (auto& state : states)
            state.Reset();
    }

    void ProcessDouble(int frames, double* const* channels) override
    {
        RunCascade(0, frames, channels, this->design.GetCascade());
    }

    void ProcessFloat(int frames, float* const* channels) override
    {
        RunCascade(0, frames, channels, this->design.GetCascade());
    }

protected:
    // Frames begin..end-1 of every channel through the cascade. The channels' memories are
    // independent, so running them frame by frame gives what channel after channel gives,
    // while their recursions overlap. An empty range does not touch the channel array (hosts
    // pass null buffers with no frames).
    template <class Sample>
    void RunCascade(int begin, int end, Sample* const* channels, const Cascade& cascade)
    {
        if (begin >= end)
            return;
        std::array<Sample*, Channels> samples;
        std::copy_n(channels, Channels, samples.begin());
        for (int n = begin; n < end; ++n) {
            for (int c = 0; c < Channels; ++c)
                samples[c][n] = static_cast<Sample>(states[c].Process(samples[c][n], cascade));
        }
    }

    std::array<ChannelState<StateType, DesignClass::kMaxStages>, Channels> states{};
};

} // namespace Dsp
