#pragma once

#include "dsp/filters/FilterDesign.h"
#include "dsp/filters/FrequencyScale.h"
#include "dsp/filters/GlideCascade.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace Dsp {

// Glides to each new parameter set: over the transition length a second design is re-run at
// every sample for parameters that move from the values in force to params, a frequency in
// equal steps of the warped scale the design works on (FrequencyScale), every other parameter
// in equal steps. While they move, the channels run that design in glide form (GlideCascade),
// whose memory stays bounded however the coefficients change; the memory is moved into glide
// form when a glide starts from the design in force and back when it ends. A frequency moves no
// faster than kShortestOctaveSeconds an octave, so a jump over many octaves takes longer than the
// transition length: a filter opening or closing past the signal faster than that rings out
// more steeply than the signal itself moves.
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
        remaining = remaining < 0 ? 0 : GlideLength();
        if (remaining == 0)
            transitionParams = this->params;
        else
            EnterGlideIfMoving();
        this->design.SetParams(this->params);
    }

    // Arms a glide of the new length towards params; before the first parameter set there
    // is nothing to glide from, so that set is still applied at once.
    void SetTransitionLength(int samples) override
    {
        transitionLength = std::max(samples, 0);
        if (remaining < 0)
            return;
        remaining = GlideLength();
        if (remaining > 0)
            EnterGlideIfMoving();
    }

    void FinishGlide() override
    {
        if (remaining < 0)
            return;
        if (gliding)
            LeaveGlide();
        remaining = 0;
        transitionParams = this->params;
    }

    void ProcessDouble(int frames, double* const* channels) override { Glide(frames, channels); }
    void ProcessFloat(int frames, float* const* channels) override { Glide(frames, channels); }

private:
    static constexpr int kNumParams = DesignClass::kNumParams;
    static constexpr int kMaxStages = DesignClass::kMaxStages;
    static constexpr double kLn2 = 0.69314718055994530942;

    // Called before the main design changes: the memory still belongs to it. A glide towards
    // the values in force changes nothing, so the memory stays as it is and the main design
    // keeps running.
    void EnterGlideIfMoving()
    {
        if (gliding || std::equal(this->params.begin(), this->params.begin() + kNumParams, transitionParams.begin()))
            return;
        glideCascade.Set(this->design.GetCascade());
        for (auto& state : this->states)
            state.EnterGlide(glideCascade);
        gliding = true;
    }

    void LeaveGlide()
    {
        const Cascade& cascade = this->design.GetCascade();
        glideCascade.Set(cascade);
        for (auto& state : this->states)
            state.LeaveGlide(cascade, glideCascade);
        gliding = false;
    }

    template <class Sample>
    void Glide(int frames, Sample* const* channels)
    {
        // A transition length of 0 cuts a glide short.
        if (gliding && remaining <= 0)
            LeaveGlide();
        const int count = std::min(frames, remaining);
        if (count <= 0 || !gliding) {
            // No glide, or one whose every design equals the main one.
            if (count > 0)
                CountDown(count);
            this->RunCascade(0, frames, channels, this->design.GetCascade());
            return;
        }
        const double reciprocal = 1.0 / remaining;
        const double sampleRate = SampleRate();
        std::array<bool, kNumParams> warped;
        std::array<double, kNumParams> positions;
        std::array<double, kNumParams> steps;
        for (int i = 0; i < kNumParams; ++i) {
            warped[i] = MovesWarped(i, sampleRate);
            positions[i] = warped[i] ? FrequencyScale::ToWarped(transitionParams[i], sampleRate) : transitionParams[i];
            const double target = warped[i] ? FrequencyScale::ToWarped(this->params[i], sampleRate) : this->params[i];
            steps[i] = (target - positions[i]) * reciprocal;
        }
        for (int n = 0; n < count; ++n) {
            for (int i = 0; i < kNumParams; ++i) {
                positions[i] += steps[i];
                transitionParams[i] = warped[i] ? FrequencyScale::FromWarped(positions[i], sampleRate) : positions[i];
            }
            transitionDesign.SetParams(transitionParams);
            glideCascade.Set(transitionDesign.GetCascade());
            for (int c = Channels - 1; c >= 0; --c)
                channels[c][n] = static_cast<Sample>(this->states[c].ProcessGlide(channels[c][n], glideCascade));
        }
        if (CountDown(count))
            LeaveGlide();
        this->RunCascade(count, frames, channels, this->design.GetCascade());
    }

    // The transition length, or longer where a frequency would move faster than its shortest
    // time an octave; a length of 0 still cuts the glide short.
    int32_t GlideLength() const
    {
        if (transitionLength == 0)
            return 0;
        const double sampleRate = SampleRate();
        double octaves = 0.0;
        for (int i = 0; i < kNumParams; ++i)
            if (MovesWarped(i, sampleRate))
                octaves = std::max(octaves, std::fabs(FrequencyScale::ToWarped(this->params[i], sampleRate) -
                                                      FrequencyScale::ToWarped(transitionParams[i], sampleRate)) /
                                                kLn2);
        const double frames = std::min(std::ceil(octaves * kShortestOctaveSeconds * sampleRate),
                                       static_cast<double>(std::numeric_limits<int32_t>::max()));
        return frames > transitionLength ? static_cast<int32_t>(frames) : transitionLength;
    }

    // A frequency that both ends of the glide place on the warped scale moves on it.
    bool MovesWarped(int i, double sampleRate) const
    {
        return DesignClass::GetParamInfo(i).id == kFrequencyId && FrequencyScale::Covers(transitionParams[i], sampleRate) &&
               FrequencyScale::Covers(this->params[i], sampleRate);
    }

    double SampleRate() const
    {
        for (int i = 0; i < kNumParams; ++i)
            if (DesignClass::GetParamInfo(i).id == kSampleRateId)
                return this->params[i];
        return 0.0;
    }

    // True when the glide has reached its end.
    bool CountDown(int count)
    {
        remaining -= count;
        if (remaining != 0)
            return false;
        transitionParams = this->params;
        return true;
    }

    FilterParams transitionParams{};
    DesignClass transitionDesign;
    int32_t transitionLength = kDefaultTransitionLength;
    int32_t remaining = -1;
    GlideCascade<kMaxStages> glideCascade;
    bool gliding = false;
};

} // namespace Dsp
