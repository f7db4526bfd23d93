#pragma once

#include "dsp/filters/BiquadSection.h"

namespace Dsp {

// A second-order section in normalised lattice coordinates: state' = A state + B x,
// y = C state + D x, with reflection coefficients k1 = a1 / (1 + a2) and k2 = a2. For a
// stable section [A B] has orthonormal rows and white noise gives the state unit variance,
// whatever the poles: a coefficient change does not lift the state, and C is no longer
// than the section's impulse response. The direct forms' memories have neither property,
// so that changing their coefficients at every sample can lift the output a millionfold.
struct GlideSection {
    struct Pair {
        double first;
        double second;
    };

    // The lattice scales the state by its variance in the long run, which a pole closer than
    // this to z = 1 (a time constant beyond 1e5 samples) never reaches; near a band edge at
    // its lower limit that scaling swings by orders of magnitude from one sample to the next.
    // Closer poles keep the scaling of this distance.
    static constexpr double kClosestScaledPole = 1e-5;

    double a11 = 0.0;
    double a12 = 0.0;
    double a21 = 0.0;
    double a22 = 0.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double c1 = 0.0;
    double c2 = 0.0;
    double d = 0.0;
    // k1 and the two scale factors that relate the state to the direct form II memory of a
    // section with the same denominator: sqrt(1 - k1^2) (at least kClosestScaledPole) and
    // sqrt(1 - k2^2).
    double k1 = 0.0;
    double scale1 = 0.0;
    double scale2 = 0.0;

    // The section's transfer function times gain.
    static GlideSection FromBiquad(const BiquadSection& section, double gain);

    // Each coefficient in equal parts of the way from `from` (at 0) to `to` (at 1). Of two
    // stable sections the blended state update [A B] grows the state no more than they do.
    [[gnu::always_inline]] static GlideSection Between(const GlideSection& from, const GlideSection& to, double position)
    {
        const auto blend = [position](double a, double b) { return a + (b - a) * position; };
        return {blend(from.a11, to.a11), blend(from.a12, to.a12), blend(from.a21, to.a21), blend(from.a22, to.a22),
                blend(from.b1, to.b1),   blend(from.b2, to.b2),   blend(from.c1, to.c1),   blend(from.c2, to.c2),
                blend(from.d, to.d),     blend(from.k1, to.k1),   blend(from.scale1, to.scale1),
                blend(from.scale2, to.scale2)};
    }

    // The state that the previous two internal values (w1, w2) of a direct form II section
    // with the same denominator stand for, and back.
    Pair FromCanonical(const Pair& w) const;
    Pair ToCanonical(const Pair& state) const;
};

} // namespace Dsp
