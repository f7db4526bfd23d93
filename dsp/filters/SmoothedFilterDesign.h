#pragma once

#include "dsp/filters/FilterDesign.h"
#include "dsp/filters/FrequencyScale.h"
#include "dsp/filters/GlideCascade.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace Dsp {

// Frames between two designs of a glide. Short against every glide's shortest octave, so the
// blend between them follows the designs closely.
inline constexpr int32_t kGlideDesignInterval = 32;

// Glides to each new parameter set: over the transition length the parameters move from the
// values in force to params, a frequency in equal steps of the warped scale (FrequencyScale),
// every other parameter in equal steps. While they move, the channels run a second design in
// glide form (GlideCascade), whose memory stays bounded however the coefficients change; the
// memory is moved into glide form when a glide starts from the design in force and back when
// it ends. That design is re-run every kGlideDesignInterval frames and at the glide's end, and
// the glide-form coefficients are blended between one run and the next, which keeps the bound
// (a blend of two sections' state updates grows the state no more than either does); where the
// number of stages changes between two runs there is nothing to blend and the design is re-run
// at every frame of that stretch. A frequency moves no faster than kShortestOctaveSeconds an
// octave of the scale, so a jump over many octaves takes longer than the transition length: a
// filter opening or closing past the signal faster than that rings out more steeply than the
// signal itself moves.
//
// A new set or length only arms the glide: the steps are worked out when the next samples run,
// for the values set last, and the design for params is made when it comes into force (at the
// end of the glide) or when its response is asked for. So values that change at every sample,
// or many times between two runs, cost about what one change does.
template <class DesignClass, int Channels, class StateType>
class SmoothedFilterDesign : public FilterDesign<DesignClass, Channels, StateType> {
public:
    static constexpr int32_t kDefaultTransitionLength = 256;
    static constexpr double kShortestOctaveSeconds = 0.002;

    // The first set, and any set with a transition length of 0, is in force at once, so a
    // later glide starts from it.
    void SetParams(const FilterParams& values) override
    {
        this->params = values;
        ArmGlide();
    }

    // Arms a glide of the new length towards params; before the first parameter set there
    // is nothing to glide from, so that set is still applied at once.
    void SetTransitionLength(int samples) override
    {
        transitionLength = std::max(samples, 0);
        if (remaining >= 0)
            ArmGlide();
    }

    void FinishGlide() override
    {
        if (remaining >= 0)
            PutInForce();
    }

    Complex Response(double f) const override
    {
        DesignApplied();
        return this->design.GetCascade().Response(f);
    }

    std::vector<PoleZeroPair> GetPoleZeroPairs() const override
    {
        DesignApplied();
        return this->design.GetPoleZeroPairs();
    }

    void ProcessDouble(int frames, double* const* channels) override { Glide(frames, channels); }
    void ProcessFloat(int frames, float* const* channels) override { Glide(frames, channels); }
    void ProcessUnheard(int frames, double* const* channels) override { Glide<double, false>(frames, channels); }

private:
    static constexpr int kNumParams = DesignClass::kNumParams;
    static constexpr int kMaxStages = DesignClass::kMaxStages;
    static constexpr double kLn2 = 0.69314718055994530942;

    bool Gliding() const { return remaining > 0; }

    // The memory goes into glide form at once, while the storage still holds the design in
    // force that it belongs to.
    void ArmGlide()
    {
        if (remaining < 0 || transitionLength == 0) {
            PutInForce();
            return;
        }
        armed = true;
        if (!inGlideForm && !InForce())
            EnterGlide();
    }

    // Values that equal no others.
    template <class Values>
    static Values Unequalled()
    {
        Values values;
        values.fill(std::numeric_limits<double>::quiet_NaN());
        return values;
    }

    bool InForce() const
    {
        return std::equal(this->params.begin(), this->params.begin() + kNumParams, transitionParams.begin());
    }

    // A glide from the values in force to params: of the transition length, or longer where a
    // frequency would move faster than its shortest time an octave. None when nothing moves.
    void Retarget()
    {
        armed = false;
        if (Gliding()) {
            // Where the last design stands where the glide does, it has the moving values.
            const bool designedHere = segmentDone == transitionFrames;
            for (int i = 0; i < kNumParams; ++i) {
                positions[i] += steps[i] * segmentDone;
                if (!(designedHere && steps[i] != 0.0))
                    transitionParams[i] = warped[i] ? FrequencyScale::FromWarped(positions[i]) : positions[i];
            }
        }
        transitionFrames = -1;
        segmentLength = 0;
        segmentDone = 0;
        if (InForce()) {
            PutInForce();
            return;
        }
        double octaves = 0.0;
        for (int i = 0; i < kNumParams; ++i) {
            const bool onScale = this->ParamIds()[i] == kFrequencyId && FrequencyScale::Covers(transitionParams[i]) &&
                                 FrequencyScale::Covers(this->params[i]);
            // A glide under way goes on from where it stands; a target already placed is kept.
            if (!Gliding() || onScale != warped[i])
                positions[i] = onScale ? FrequencyScale::ToWarped(transitionParams[i]) : transitionParams[i];
            if (onScale != warped[i] || !(placedTargets[i] == this->params[i]))
                targets[i] = onScale ? FrequencyScale::ToWarped(this->params[i]) : this->params[i];
            placedTargets[i] = this->params[i];
            warped[i] = onScale;
            if (onScale)
                octaves = std::max(octaves, std::fabs(targets[i] - positions[i]) / kLn2);
        }
        remaining = GlideLength(octaves);
        const double reciprocal = 1.0 / remaining;
        for (int i = 0; i < kNumParams; ++i)
            steps[i] = (targets[i] - positions[i]) * reciprocal;
    }

    int32_t GlideLength(double octaves) const
    {
        const int sampleRateIndex = this->IndexOf(kSampleRateId);
        const double sampleRate = sampleRateIndex < 0 ? 0.0 : this->params[sampleRateIndex];
        const double frames = std::min(std::ceil(octaves * kShortestOctaveSeconds * sampleRate),
                                       static_cast<double>(std::numeric_limits<int32_t>::max()));
        return frames > transitionLength ? static_cast<int32_t>(frames) : transitionLength;
    }

    // Puts params in force at once, ending any glide on them.
    void PutInForce()
    {
        armed = false;
        DesignTarget();
        if (inGlideForm)
            LeaveGlide();
        remaining = 0;
        segmentLength = 0;
        segmentDone = 0;
        transitionParams = this->params;
        transitionFrames = -1;
    }

    void EnterGlide()
    {
        glideCascade.Set(this->design.GetCascade());
        for (auto& state : this->states)
            state.EnterGlide(glideCascade);
        inGlideForm = true;
    }

    void LeaveGlide()
    {
        const Cascade& cascade = this->design.GetCascade();
        glideCascade.Set(cascade);
        for (auto& state : this->states)
            state.LeaveGlide(cascade, glideCascade);
        inGlideForm = false;
    }

    // Before the first set the storage stays as it was constructed.
    void DesignApplied() const
    {
        if (remaining >= 0)
            DesignTarget();
    }

    void DesignTarget() const
    {
        if (std::equal(this->params.begin(), this->params.begin() + kNumParams, designedFor.begin()))
            return;
        this->design.SetParams(this->params);
        designedFor = this->params;
    }

    template <class Sample, bool Heard = true>
    void Glide(int frames, Sample* const* channels)
    {
        if (armed)
            Retarget();
        const int count = std::min(frames, remaining);
        for (int n = 0; n < count;) {
            if (segmentDone == segmentLength)
                BeginSegment(remaining - n);
            const int run = std::min(count - n, segmentLength - segmentDone);
            bool paired = false;
            if constexpr (Channels == 2) {
                if (segmentBlends) {
                    BlendPair<Heard>(n, run, channels);
                    paired = true;
                }
            }
            if (!paired)
                GlideEachChannel(n, run, channels);
            n += run;
        }
        if (count > 0) {
            remaining -= count;
            if (remaining == 0)
                PutInForce();
        }
        this->template RunCascade<Sample, Heard>(std::max(count, 0), frames, channels, this->design.GetCascade());
    }

    // Frames of the stretch under way, each through the coefficients of its frame.
    template <class Sample>
    void GlideEachChannel(int begin, int frames, Sample* const* channels)
    {
        for (int n = begin; n < begin + frames; ++n) {
            ++segmentDone;
            if (segmentDone == segmentLength)
                glideCascade = segmentEnd;
            else if (segmentBlends)
                glideCascade.SetBetween(segmentStart, segmentEnd, BlendPosition());
            else
                DesignAhead(segmentDone, segmentLeft, glideCascade);
            for (int c = Channels - 1; c >= 0; --c)
                channels[c][n] = static_cast<Sample>(this->states[c].ProcessGlide(channels[c][n], glideCascade));
        }
    }

    // GlideEachChannel for a blending stretch of a stereo pair, side by side with the stage
    // count a constant of the loop, with fused multiply-adds where the processor has them;
    // glideCascade is left with the coefficients of the last frame.
    template <bool Heard, class Sample>
    void BlendPair(int begin, int frames, Sample* const* channels)
    {
        const bool fused = AvailableSimdLevel() == SimdLevel::kAvx2Fma;
        this->template WithStageCount<kMaxStages>(segmentEnd.GetNumStages(), [&]<int Stages>() {
            if (fused)
                BlendPairFused<Stages, Heard>(begin, frames, channels);
            else
                BlendPairRun<Stages, false, true>(begin, frames, channels);
        });
        if (segmentDone == segmentLength)
            glideCascade = segmentEnd;
        else
            glideCascade.SetBetween(segmentStart, segmentEnd, BlendPosition());
    }

    // Flattened, so that the fused steps are inlined into the run.
    template <int Stages, bool Heard, class Sample>
    [[gnu::target("avx2,fma")]] [[gnu::flatten]] void BlendPairFused(int begin, int frames, Sample* const* channels)
    {
        BlendPairRun<Stages, true, Heard>(begin, frames, channels);
    }

    // Without a listener (fused only) only the memories' steps run.
    template <int Stages, bool Fused, bool Heard, class Sample>
    [[gnu::always_inline]] void BlendPairRun(int begin, int frames, Sample* const* channels)
    {
        using State = ChannelState<StateType, kMaxStages>;
        auto run = State::template BeginGlidePairRun<Stages>(this->states[0], this->states[1]);
        std::array<GlideBlendPair, Stages> blends;
        for (int i = 0; i < Stages; ++i)
            blends[i] = GlideBlendPair::Between(segmentStart.GetSection(i), segmentEnd.GetSection(i));
        Sample* left = channels[0];
        Sample* right = channels[1];
        // Locals, which the stores to the channels cannot alias. The frames done count on in
        // both lanes as doubles (whole numbers, exact), so a frame's position takes one division.
        const SamplePair length{static_cast<double>(segmentLength), static_cast<double>(segmentLength)};
        SamplePair done{static_cast<double>(segmentDone), static_cast<double>(segmentDone)};
        for (int n = begin; n < begin + frames; ++n) {
            done += 1.0;
            const SamplePair position = done / length;
            const SamplePair x{static_cast<double>(left[n]), static_cast<double>(right[n])};
            if constexpr (!Heard) {
                run.AdvanceBlendedFused(x, blends, position);
                continue;
            }
            SamplePair y;
            if constexpr (Fused)
                y = run.ProcessBlendedFused(x, blends, position);
            else
                y = run.ProcessBlended(x, blends, position);
            left[n] = static_cast<Sample>(y[0]);
            right[n] = static_cast<Sample>(y[1]);
        }
        segmentDone += frames;
        State::EndGlidePairRun(run, this->states[0], this->states[1]);
    }

    double BlendPosition() const { return static_cast<double>(segmentDone) / segmentLength; }

    // The next stretch of a glide with `left` frames to go, from the coefficients in use to the
    // design kGlideDesignInterval frames on (or at the glide's end).
    void BeginSegment(int32_t left)
    {
        for (int i = 0; i < kNumParams; ++i)
            positions[i] += steps[i] * segmentLength;
        segmentStart = glideCascade;
        segmentDone = 0;
        segmentLeft = left;
        segmentLength = std::min(kGlideDesignInterval, left);
        DesignAhead(segmentLength, left, segmentEnd);
        segmentBlends = segmentEnd.GetNumStages() == segmentStart.GetNumStages();
    }

    // The design `frames` frames on from positions, of a glide with `left` frames to go.
    void DesignAhead(int32_t frames, int32_t left, GlideCascade<kMaxStages>& into)
    {
        for (int i = 0; i < kNumParams; ++i) {
            // A parameter that stands still keeps the value it has, without a trip to its scale and back.
            if (steps[i] == 0.0)
                continue;
            const double position = frames == left ? targets[i] : positions[i] + steps[i] * frames;
            transitionParams[i] = warped[i] ? FrequencyScale::FromWarped(position) : position;
        }
        transitionFrames = frames == left ? -1 : frames;
        transitionDesign.SetParams(transitionParams);
        into.Set(transitionDesign.GetCascade());
    }

    FilterParams transitionParams{};
    // The frames into the stretch under way at which transitionParams holds the moving values
    // (from positions and steps, not placed on a target); -1 where it does not.
    int32_t transitionFrames = -1;
    DesignClass transitionDesign;
    int32_t transitionLength = kDefaultTransitionLength;
    // -1 before the first parameter set; while positive, the frames left of the glide.
    int32_t remaining = -1;
    // A set or length came since the glide was last worked out.
    bool armed = false;
    bool inGlideForm = false;
    GlideCascade<kMaxStages> glideCascade;
    // The glide in force: whether each parameter moves on the warped scale, where it stands on
    // its scale, where it goes (and the value placed there) and its step a frame.
    std::array<bool, kNumParams> warped{};
    std::array<double, kNumParams> positions{};
    std::array<double, kNumParams> targets{};
    std::array<double, kNumParams> placedTargets = Unequalled<std::array<double, kNumParams>>();
    std::array<double, kNumParams> steps{};
    // The stretch under way: positions stand at its start, where segmentStart was in use, and
    // segmentEnd is the design at its end; segmentDone of its segmentLength frames have run.
    GlideCascade<kMaxStages> segmentStart;
    GlideCascade<kMaxStages> segmentEnd;
    int32_t segmentLength = 0;
    int32_t segmentDone = 0;
    // The glide's frames to go when the stretch began, and whether its ends have as many stages.
    int32_t segmentLeft = 0;
    bool segmentBlends = true;
    // The values the design storage was made for; none at first.
    mutable FilterParams designedFor = Unequalled<FilterParams>();
};

} // namespace Dsp
