#pragma once

#include "dsp/units/filters/IWzFilter.h"

#include <algorithm>
#include <cmath>

namespace Wezmark
{

enum StateVariableType
{
    kStateVariableLowPass = 0,
    kStateVariableHighPass = 1,
    kStateVariableBandPass = 2,
    kStateVariableBandStop = 3,
};

// Two-integrator state-variable filter; Type picks the output tap.
template <int Type, int Channels>
class StateVariableFilter final : public IWzFilter
{
    static_assert(Type >= kStateVariableLowPass && Type <= kStateVariableBandStop);
    static_assert(Channels >= 1);

public:
    static constexpr double kMinCutoff = 20.0;
    static constexpr double kMaxCutoff = 20000.0;
    // Keeps pi times the normalised cutoff below pi/2, so the tangent stays finite.
    static constexpr double kMaxNormalisedCutoff = 0.49;
    static constexpr double kMinSampleRate = 1.0;
    static constexpr double kDefaultSampleRate = 44100.0;
    static constexpr double kDefaultCutoff = 1000.0;
    static constexpr double kMinQ = Type == kStateVariableBandStop ? 0.3 : 0.7071067811865476;
    static constexpr double kMaxQ = 20.0;

    StateVariableFilter() { ApplyCutoff(); }

    double ProcessSample(double x, double cutoff01, double resonance01) override
    {
        if (std::isfinite(cutoff01) && std::isfinite(resonance01))
        {
            const double c = std::clamp(cutoff01, 0.0, 1.0);
            requestedCutoff = std::clamp(kMinCutoff + (kMaxCutoff - kMinCutoff) * c * c, kMinCutoff, kMaxCutoff);
            ApplyCutoff();
            ApplyResonance(resonance01);
        }
        dirty = true;
        UpdateCoefficients();
        return Step(x, state[0]);
    }

    // A non-finite rate is ignored. The requested cutoff is kept, so a rate that drops
    // and comes back up restores it.
    void SetSampleRate(double rate) override
    {
        if (!std::isfinite(rate))
            return;
        sampleRate = std::max(rate, kMinSampleRate);
        ApplyCutoff();
    }

    void Reset() override
    {
        for (Memory& memory : state)
            memory = Memory{};
    }

    // Non-finite settings are ignored: one NaN must not poison the coefficients.
    void SetCutoff(double hz)
    {
        if (!std::isfinite(hz))
            return;
        requestedCutoff = std::clamp(hz, kMinCutoff, kMaxCutoff);
        ApplyCutoff();
    }

    void SetResonance(double r)
    {
        if (!std::isfinite(r))
            return;
        ApplyResonance(r);
    }

    // Channel 0 runs on io[0], channel 1 (when there is one) on io[1], in place.
    void ProcessBlock(double* const* io, int n)
    {
        UpdateCoefficients();
        for (int i = 0; i < n; ++i)
            for (int channel = 0; channel < Channels; ++channel)
                io[channel][i] = Step(io[channel][i], state[channel]);
    }

    void UpdateCoefficients()
    {
        if (!dirty)
            return;
        const double g = std::tan(kPi * normalisedCutoff);
        const double g2 = g * g;
        const double gq = g / q;
        k2 = 4.0 * g2 / (4.0 * g2 + 2.0 * gq);
        k1 = (4.0 * g2 + 2.0 * gq) / (1.0 + gq + g2);
        k3 = k2 * k1 * 0.25;
        k4 = 1.0 - 0.5 * k1 + k3;
        k5 = 1.0 - k2;
        k6 = k1 * (1.0 - k2) * 0.5;
        dirty = false;
    }

    double GetSampleRate() const { return sampleRate; }
    double GetCutoff() const { return cutoff; }
    double GetNormalisedCutoff() const { return normalisedCutoff; }
    double GetQ() const { return q; }

private:
    static constexpr double kPi = 3.141592653589793;
    // Keeps the integrators out of denormal numbers on silence.
    static constexpr double kDenormalGuard = 1e-20;

    struct Memory
    {
        double a = 0.0;
        double b = 0.0;
    };

    void ApplyCutoff()
    {
        cutoff = std::min(kMaxNormalisedCutoff * sampleRate, requestedCutoff);
        normalisedCutoff = std::clamp(cutoff / sampleRate, 0.0, kMaxNormalisedCutoff);
        dirty = true;
    }

    void ApplyResonance(double r)
    {
        const double clamped = std::clamp(r, 0.0, 1.0);
        q = std::clamp(kMinQ + (kMaxQ - kMinQ) * clamped * clamped, kMinQ, kMaxQ);
        dirty = true;
    }

    double Step(double x, Memory& memory) const
    {
        const double aOld = memory.a;
        const double e = (x - memory.a - memory.b) + kDenormalGuard;
        memory.b += k2 * memory.a;
        memory.a += k1 * e;
        if constexpr (Type == kStateVariableLowPass)
            return k3 * e + memory.b;
        else if constexpr (Type == kStateVariableHighPass)
            return k4 * e;
        else if constexpr (Type == kStateVariableBandPass)
            return k5 * aOld + k6 * e;
        else
            return (k3 + k4) * e + memory.b;
    }

    Memory state[Channels] = {};
    double k1 = 0.0;
    double k2 = 0.0;
    double k3 = 0.0;
    double k4 = 0.0;
    double k5 = 0.0;
    double k6 = 0.0;
    double sampleRate = kDefaultSampleRate;
    double requestedCutoff = kDefaultCutoff;
    double cutoff = kDefaultCutoff;
    double normalisedCutoff = kDefaultCutoff / kDefaultSampleRate;
    double q = kMinQ;
    bool dirty = true;
};

} // namespace Wezmark
