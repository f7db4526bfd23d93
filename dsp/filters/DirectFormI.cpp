#include "dsp/filters/DirectFormI.h"

namespace Dsp {

GlideState DirectFormI::ToGlide(const GlideSection& glide, double inputScale) const
{
    const GlideSection::Pair state = glide.FromCanonical({u1 * inputScale, u2 * inputScale});
    return {state.first, state.second};
}

void DirectFormI::FromGlide(const BiquadSection& s, const GlideSection& glide, double inputScale,
                            const GlideState& state)
{
    const GlideSection::Pair w = glide.ToCanonical({state.s1, state.s2});
    u1 = w.first / inputScale;
    u2 = w.second / inputScale;
    // What the next outputs depend on: v1 = b1 x1 + b2 x2 - a1 y1 - a2 y2 and
    // v2 = b2 x1 - a2 y1, here from the internal signal. Any history with these two values
    // continues alike; take the smallest one (rows J1 and J2 of the two sums, history
    // J^T (J J^T)^-1 v).
    const double v1 = (s.b1 - s.b0 * s.a1) * u1 + (s.b2 - s.b0 * s.a2) * u2;
    const double v2 = (s.b2 - s.b0 * s.a2) * u1 + (s.a1 * s.b2 - s.a2 * s.b1) * u2;
    const double g11 = s.b1 * s.b1 + s.b2 * s.b2 + s.a1 * s.a1 + s.a2 * s.a2;
    const double g12 = s.b1 * s.b2 + s.a1 * s.a2;
    const double g22 = s.b2 * s.b2 + s.a2 * s.a2;
    const double determinant = g11 * g22 - g12 * g12;
    double lambda1 = 0.0;
    double lambda2 = 0.0;
    if (determinant > 0.0) {
        lambda1 = (g22 * v1 - g12 * v2) / determinant;
        lambda2 = (g11 * v2 - g12 * v1) / determinant;
    } else if (g11 > 0.0) {
        // A first-order section: v2 is 0 and only the first row counts.
        lambda1 = v1 / g11;
    }
    x1 = lambda1 * s.b1 + lambda2 * s.b2;
    x2 = lambda1 * s.b2;
    y1 = -lambda1 * s.a1 - lambda2 * s.a2;
    y2 = -lambda1 * s.a2;
}

} // namespace Dsp
