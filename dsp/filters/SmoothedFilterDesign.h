#pragma once

#include "dsp/filters/FilterDesign.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace Dsp {

// Glides to each new parameter set: over the transition length a second design is re-run at
// every sample for parameters that move linearly from the values in force to params.
template <class DesignClass, int Channels, class StateType>
class SmoothedFilterDesign : public FilterDesign<DesignClass, Channels, StateType> {
public:
    static constexpr int32_t kDefaultTransitionLength = 256;

    // The first set, and any set with a transition length of 0, is in force at once, so a
    // later glide starts from it.
    void SetParams(const FilterParams& values) override
    {
        this->params = values;
        remaining = remaining < 0 ? 0 : transitionLength;
        if (remaining == 0)
            transitionParams = this->params;
        this->design.SetParams(this->params);
    }

    // Arms a glide of the new length towards params; before the first parameter set there
    // is nothing to glide from, so that set is still applied at once.
    void SetTransitionLength(int samples) override
    {
        transitionLength = std::max(samples, 0);
        if (remaining >= 0)
            remaining = transitionLength;
    }

    void ProcessDouble(int frames, double* const* channels) override { Glide(frames, channels); }
    void ProcessFloat(int frames, float* const* channels) override { Glide(frames, channels); }

private:
    static constexpr int kNumParams = DesignClass::kNumParams;

    template <class Sample>
    void Glide(int frames, Sample* const* channels)
    {
        const int count = std::min(frames, remaining);
        if (count <= 0) {
            this->RunCascade(0, frames, channels, this->design.GetCascade());
            return;
        }
        const double reciprocal = 1.0 / remaining;
        std::array<double, kNumParams> steps;
        for (int i = 0; i < kNumParams; ++i)
            steps[i] = (this->params[i] - transitionParams[i]) * reciprocal;
        const Cascade& cascade = transitionDesign.GetCascade();
        for (int n = 0; n < count; ++n) {
            for (int i = 0; i < kNumParams; ++i)
                transitionParams[i] += steps[i];
            transitionDesign.SetParams(transitionParams);
            for (int c = Channels - 1; c >= 0; --c)
                channels[c][n] = static_cast<Sample>(this->states[c].Process(channels[c][n], cascade));
        }
        remaining -= count;
        if (remaining == 0)
            transitionParams = this->params;
        this->RunCascade(count, frames, channels, this->design.GetCascade());
    }

    FilterParams transitionParams{};
    DesignClass transitionDesign;
    int32_t transitionLength = kDefaultTransitionLength;
    int32_t remaining = -1;
};

} // namespace Dsp
