#pragma once

#include "dsp/filters/PoleZeroLayout.h"

#include <array>
#include <cstdint>

namespace Dsp {

// Analog elliptic low pass: pass-band ripple in dB up to 1 rad/s, transition width setting
// the stop-band edge. The polynomial work arrays are 1-based; index 0 is used where noted.
class EllipticPrototype {
public:
    explicit EllipticPrototype(PoleZeroLayout& layout);

    // Does nothing when order, ripple and width equal those of the last run. When the
    // factoring does not settle or a value is not finite, the previous layout stays.
    void Design(int order, double rippleDb, double transitionWidth);

private:
    static constexpr int kWorkSize = 100;
    using WorkArray = std::array<double, kWorkSize>;

    bool ComputeZeros(int order, double transitionWidth);
    void BuildPolynomial(int order, double rippleDb);
    // Quadratic factors of a (degree t) into p and q; returns the negated root of a remaining
    // linear factor, or 0. False when the iteration does not settle.
    bool Factor(int t, double& linearRoot);
    bool ComputePoles(int order, double linearRoot);
    void ProductPolynomial(int count);

    PoleZeroLayout& layout;
    int32_t designedOrder = -1;
    double designedRippleDb = 0.0;
    double designedTransitionWidth = 0.0;

    WorkArray zeros{};
    WorkArray numeratorSquare{};
    WorkArray product{};
    WorkArray poly{};
    WorkArray signedProduct{};
    WorkArray factorQ{};
    WorkArray factorP{};
    WorkArray mappedZeros{};
    WorkArray productRoots{};
    WorkArray work{};
    WorkArray workDerivative{};
    WorkArray poleW{};
    WorkArray poleF{};
    WorkArray poleQ{};
    WorkArray poleReal{};
    WorkArray poleImag{};
    int numPairs = 0;
};

} // namespace Dsp
