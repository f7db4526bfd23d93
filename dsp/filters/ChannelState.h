#pragma once

#include "dsp/SamplePair.h"
#include "dsp/filters/Cascade.h"
#include "dsp/filters/DenormalFlush.h"
#include "dsp/filters/FusedStages.h"
#include "dsp/filters/GlideCascade.h"
#include "dsp/filters/GlideState.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace Dsp {

// The filter memory of one channel: a tiny offset of alternating sign that keeps the
// recursions away from denormal numbers, and one memory per stage of the storage, in the
// direct form of the design or, while a glide changes the coefficients, in glide form.
template <class StageState, int MaxStages>
class ChannelState {
public:
    static constexpr double kDenormalGuard = 1e-8;

    // Clears the stage memories; the guard's sign sequence goes on.
    void Reset()
    {
        stages.fill(StageState{});
        glideStages.fill(GlideState{});
    }

    // One sample through the cascade's active stages; an empty cascade passes it unchanged.
    double Process(double x, const Cascade& cascade)
    {
        guard = -guard;
        return ThroughStages(x, guard, cascade.GetNumStages(), stages.data(),
                             [&cascade](int i) -> const BiquadSection& { return cascade.GetStage(i); });
    }

    // Process for a run of samples of two channels side by side, one in each lane, through a
    // cascade of exactly Stages stages: the same operations on each lane, so each channel gets
    // exactly what Process gives it. The sections and memories are copied out, so that they
    // can stay in registers over the run.
    template <int Stages>
    struct PairRun {
        std::array<BiquadSection, Stages> sections;
        std::array<typename StageState::Pair, Stages> memory;
        SamplePair guard;

        [[gnu::always_inline]] SamplePair Process(SamplePair x)
        {
            guard = -guard;
            return ThroughStages(x, guard, Stages, memory.data(),
                                 [this](int i) -> const BiquadSection& { return sections[i]; });
        }

        // Process with fused multiply-adds (FusedStages.h), within a few units in the last
        // place of it. Only for code built for FMA.
        [[gnu::target("avx2,fma")]] [[gnu::always_inline]] SamplePair ProcessFused(SamplePair x)
        {
            guard = -guard;
            if constexpr (Stages == 0) {
                return x;
            } else {
                SamplePair y = Dsp::ProcessFused(memory[0], x, sections[0], guard);
                for (int i = 1; i < Stages; ++i)
                    y = Dsp::ProcessFused(memory[i], y, sections[i], SamplePair{});
                return FlushVanishing(y);
            }
        }

        // ProcessFused's steps of the memories, for a cascade that nobody hears.
        [[gnu::target("avx2,fma")]] [[gnu::always_inline]] void AdvanceFused(SamplePair x)
        {
            guard = -guard;
            if constexpr (Stages == 1) {
                Dsp::AdvanceFused(memory[0], x, sections[0], guard);
            } else if constexpr (Stages > 1) {
                SamplePair y = Dsp::ProcessFused(memory[0], x, sections[0], guard);
                for (int i = 1; i + 1 < Stages; ++i)
                    y = Dsp::ProcessFused(memory[i], y, sections[i], SamplePair{});
                Dsp::AdvanceFused(memory[Stages - 1], y, sections[Stages - 1], SamplePair{});
            }
        }
    };

    template <int Stages>
    static PairRun<Stages> BeginPairRun(const ChannelState& left, const ChannelState& right, const Cascade& cascade)
    {
        PairRun<Stages> run;
        for (int i = 0; i < Stages; ++i) {
            run.sections[i] = cascade.GetStage(i);
            run.memory[i] = StageState::Join(left.stages[i], right.stages[i]);
        }
        run.guard = SamplePair{left.guard, right.guard};
        return run;
    }

    // Ends a run, which is where the memories' vanishing values are flushed.
    template <int Stages>
    static void EndPairRun(PairRun<Stages>& run, ChannelState& left, ChannelState& right)
    {
        for (int i = 0; i < Stages; ++i) {
            run.memory[i].FlushMemory();
            StageState::Split(run.memory[i], left.stages[i], right.stages[i]);
        }
        left.guard = run.guard[0];
        right.guard = run.guard[1];
    }

    // Once per block, after Process: what a decaying memory keeps below the flush level goes.
    void FlushMemory()
    {
        for (StageState& stage : stages)
            stage.FlushMemory();
    }

    // Moves the memory into glide form; inForce is the cascade that it was built with. A stage
    // whose memory does not reach its output (its poles on its zeros, as in a shelf at 0 dB)
    // passes its input whatever that memory holds, so its glide starts from silence: then it
    // makes no difference whether the stage ran before or sat out.
    void EnterGlide(const GlideCascade<MaxStages>& inForce)
    {
        activeGlideStages = inForce.GetNumStages();
        for (int i = 0; i < MaxStages; ++i) {
            glideStages[i] = GlideState{};
            const GlideSection& section = inForce.GetSection(i);
            if (i < activeGlideStages && (section.c1 != 0.0 || section.c2 != 0.0))
                glideStages[i] = stages[i].ToGlide(section, inForce.GetInputScale(i));
        }
    }

    // As Process, through a cascade in glide form. A stage that the design takes up again
    // (the order grew) starts from silence.
    double ProcessGlide(double x, const GlideCascade<MaxStages>& cascade)
    {
        guard = -guard;
        const int numStages = cascade.GetNumStages();
        if (numStages == 0)
            return x;
        for (int i = activeGlideStages; i < numStages; ++i)
            glideStages[i] = GlideState{};
        activeGlideStages = numStages;
        double y = x + guard;
        for (int i = 0; i < numStages; ++i) {
            y = glideStages[i].Process(y, cascade.GetSection(i));
            glideStages[i].FlushMemory();
        }
        return FlushVanishing(y);
    }

    // ProcessGlide for a run of frames of two channels side by side, one in each lane, through
    // Stages stages, as many as the glide ran with last: the same operations on each lane, the
    // memories' vanishing values flushed at the run's end (a value below the flush level makes
    // no difference that a sample can hold).
    template <int Stages>
    struct GlidePairRun {
        std::array<GlideMemory<SamplePair>, Stages> memory;
        SamplePair guard;

        // One frame through the stages' coefficients at `position` of their blends.
        [[gnu::always_inline]] SamplePair ProcessBlended(SamplePair x, const std::array<GlideBlendPair, Stages>& blends,
                                                         SamplePair position)
        {
            guard = -guard;
            if constexpr (Stages == 0) {
                return x;
            } else {
                SamplePair y = x + guard;
                for (int i = 0; i < Stages; ++i)
                    y = blends[i].Process(memory[i], y, position);
                return FlushVanishing(y);
            }
        }

        // ProcessBlended with fused multiply-adds (FusedStages.h). Only for code built for FMA,
        // which inlines it (a caller that is not cannot).
        [[gnu::target("avx2,fma")]] SamplePair ProcessBlendedFused(SamplePair x,
                                                                   const std::array<GlideBlendPair, Stages>& blends,
                                                                   SamplePair position)
        {
            guard = -guard;
            if constexpr (Stages == 0) {
                return x;
            } else {
                SamplePair y = x + guard;
                for (int i = 0; i < Stages; ++i)
                    y = Dsp::ProcessFused(memory[i], y, blends[i], position);
                return FlushVanishing(y);
            }
        }

        // ProcessBlendedFused's steps of the memories, for a cascade that nobody hears.
        [[gnu::target("avx2,fma")]] void AdvanceBlendedFused(SamplePair x, const std::array<GlideBlendPair, Stages>& blends,
                                                             SamplePair position)
        {
            guard = -guard;
            if constexpr (Stages > 0) {
                SamplePair y = x + guard;
                for (int i = 0; i + 1 < Stages; ++i)
                    y = Dsp::ProcessFused(memory[i], y, blends[i], position);
                Dsp::AdvanceFused(memory[Stages - 1], y, blends[Stages - 1], position);
            }
        }
    };

    template <int Stages>
    static GlidePairRun<Stages> BeginGlidePairRun(const ChannelState& left, const ChannelState& right)
    {
        GlidePairRun<Stages> run;
        for (int i = 0; i < Stages; ++i) {
            run.memory[i].s1 = SamplePair{left.glideStages[i].s1, right.glideStages[i].s1};
            run.memory[i].s2 = SamplePair{left.glideStages[i].s2, right.glideStages[i].s2};
        }
        run.guard = SamplePair{left.guard, right.guard};
        return run;
    }

    template <int Stages>
    static void EndGlidePairRun(GlidePairRun<Stages>& run, ChannelState& left, ChannelState& right)
    {
        for (int i = 0; i < Stages; ++i) {
            run.memory[i].FlushMemory();
            left.glideStages[i] = GlideState{run.memory[i].s1[0], run.memory[i].s2[0]};
            right.glideStages[i] = GlideState{run.memory[i].s1[1], run.memory[i].s2[1]};
        }
        left.guard = run.guard[0];
        right.guard = run.guard[1];
    }

    // Moves the memory back into the direct form of cascade, which glide holds in glide
    // form; stages that the glide did not run start from silence.
    void LeaveGlide(const Cascade& cascade, const GlideCascade<MaxStages>& glide)
    {
        const int carried = std::min<int>(activeGlideStages, cascade.GetNumStages());
        for (int i = 0; i < MaxStages; ++i) {
            stages[i] = StageState{};
            if (i < carried)
                stages[i].FromGlide(cascade.GetStage(i), glide.GetSection(i), glide.GetInputScale(i), glideStages[i]);
        }
    }

private:
    // The guard enters the first stage only: added later, the gain of the stages after it
    // could lift it far above its level at the input.
    template <class Sample, class Memory, class SectionAt>
    [[gnu::always_inline]] static Sample ThroughStages(Sample x, Sample guard, int count, Memory* memory,
                                                       SectionAt section)
    {
        if (count == 0)
            return x;
        Sample y = memory[0].Process(x, section(0), guard);
        for (int i = 1; i < count; ++i)
            y = memory[i].Process(y, section(i), Sample{});
        // The output too: a residue that a float sample would store as a denormal.
        return FlushVanishing(y);
    }

    double guard = kDenormalGuard;
    std::array<StageState, MaxStages> stages{};
    std::array<GlideState, MaxStages> glideStages{};
    int32_t activeGlideStages = 0;
};

} // namespace Dsp
