#pragma once

#include "dsp/filters/Complex.h"

#include <array>

namespace Dsp {

// Roots of a complex polynomial by Laguerre's method with deflation and polishing.
// Coefficient k is that of x^k.
class PolynomialRootFinder {
public:
    static constexpr int kMaxDegree = 4;

    void SetCoefficient(int k, const Complex& value) { coefficients[k] = value; }
    // Fills the roots, sorted by imaginary part, largest first. Throws std::logic_error
    // "laguerre failed" when a root does not settle.
    void Solve(int degree);
    const Complex& GetRoot(int index) const { return roots[index]; }

    // Improves x towards a root of the polynomial a of the given degree.
    static void Laguerre(const Complex* a, int degree, Complex& x);

private:
    std::array<Complex, kMaxDegree + 1> coefficients{};
    std::array<Complex, kMaxDegree + 1> working{};
    std::array<Complex, kMaxDegree + 1> roots{};
};

} // namespace Dsp
