#pragma once

#include "dsp/filters/ChannelState.h"
#include "dsp/filters/FilterDesignBase.h"
#include "dsp/filters/SimdLevel.h"

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

    void ProcessUnheard(int frames, double* const* channels) override
    {
        RunCascade<double, false>(0, frames, channels, this->design.GetCascade());
    }

protected:
    // Frames begin..end-1 of every channel through the cascade. The channels' memories are
    // independent, so running them frame by frame gives what channel after channel gives,
    // while their recursions overlap. An empty range does not touch the channel array (hosts
    // pass null buffers with no frames). A cascade that is not Heard may leave the channels
    // holding anything.
    template <class Sample, bool Heard = true>
    void RunCascade(int begin, int end, Sample* const* channels, const Cascade& cascade)
    {
        if (begin >= end)
            return;
        if constexpr (Channels == 2) {
            WithStageCount<DesignClass::kMaxStages>(cascade.GetNumStages(), [&]<int Stages>() {
                RunPair<Stages, Heard>(begin, end, channels, cascade);
            });
        } else {
            std::array<Sample*, Channels> samples;
            std::copy_n(channels, Channels, samples.begin());
            for (int n = begin; n < end; ++n) {
                for (int c = 0; c < Channels; ++c)
                    samples[c][n] = static_cast<Sample>(states[c].Process(samples[c][n], cascade));
            }
            for (auto& state : states)
                state.FlushMemory();
        }
    }

    std::array<ChannelState<StateType, DesignClass::kMaxStages>, Channels> states{};

    // Calls body.template operator()<count>() for a count from 0 to Largest.
    template <int Largest, class Body>
    static void WithStageCount(int count, Body&& body)
    {
        if constexpr (Largest > 0) {
            if (count >= Largest) {
                body.template operator()<Largest>();
                return;
            }
            WithStageCount<Largest - 1>(count, body);
        } else {
            body.template operator()<0>();
        }
    }

private:
    // A stereo pair runs side by side, with the stage count, fixed for a block, made a
    // constant of the loop; with fused multiply-adds where the processor has them.
    template <int Stages, bool Heard, class Sample>
    void RunPair(int begin, int end, Sample* const* channels, const Cascade& cascade)
    {
        if (AvailableSimdLevel() == SimdLevel::kAvx2Fma) {
            RunPairFused<Stages, Heard>(begin, end, channels, cascade);
            return;
        }
        using State = ChannelState<StateType, DesignClass::kMaxStages>;
        auto run = State::template BeginPairRun<Stages>(states[0], states[1], cascade);
        Sample* left = channels[0];
        Sample* right = channels[1];
        for (int n = begin; n < end; ++n) {
            const SamplePair y = run.Process(SamplePair{static_cast<double>(left[n]), static_cast<double>(right[n])});
            left[n] = static_cast<Sample>(y[0]);
            right[n] = static_cast<Sample>(y[1]);
        }
        State::EndPairRun(run, states[0], states[1]);
    }

    // Without a listener only the memories' steps run.
    template <int Stages, bool Heard, class Sample>
    [[gnu::target("avx2,fma")]] void RunPairFused(int begin, int end, Sample* const* channels, const Cascade& cascade)
    {
        using State = ChannelState<StateType, DesignClass::kMaxStages>;
        auto run = State::template BeginPairRun<Stages>(states[0], states[1], cascade);
        Sample* left = channels[0];
        Sample* right = channels[1];
        if constexpr (!Heard) {
            for (int n = begin; n < end; ++n)
                run.AdvanceFused(SamplePair{static_cast<double>(left[n]), static_cast<double>(right[n])});
            State::EndPairRun(run, states[0], states[1]);
            return;
        }
        for (int n = begin; n < end; ++n) {
            const SamplePair y =
                run.ProcessFused(SamplePair{static_cast<double>(left[n]), static_cast<double>(right[n])});
            left[n] = static_cast<Sample>(y[0]);
            right[n] = static_cast<Sample>(y[1]);
        }
        State::EndPairRun(run, states[0], states[1]);
    }
};

} // namespace Dsp
