#include "dsp/filters/EllipticPrototype.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace Dsp {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kSeriesCutoff = 1e-7;
// The series converges in a few dozen terms for every transition width in range.
constexpr int kMaxSeriesTerms = 1000;
constexpr double kFactorTolerance = 1e-6;
constexpr double kSingularDivisor = 0.001;
// Inside the parameter ranges the factoring settles in fewer than ten iterations.
constexpr int kMaxFactorIterations = 100;

// Complete elliptic integral of the first kind by the arithmetic-geometric mean; it stops
// as soon as the difference no longer shrinks.
double CompleteEllipticIntegral(double k)
{
    double a = 1.0;
    double b = std::sqrt(1.0 - k * k);
    double difference = 1.0 - b;
    double previous = 0.0;
    do {
        previous = difference;
        const double mean = (a + b) / 2.0;
        difference = (a - b) / 2.0;
        b = std::sqrt(a * b);
        a = mean;
    } while (previous > difference);
    return kPi / (2.0 * a);
}

} // namespace

EllipticPrototype::EllipticPrototype(PoleZeroLayout& layout) : layout(layout)
{
}

void EllipticPrototype::Design(int order, double rippleDb, double transitionWidth)
{
    if (order == designedOrder && rippleDb == designedRippleDb && transitionWidth == designedTransitionWidth)
        return;
    if (!ComputeZeros(order, transitionWidth))
        return;
    BuildPolynomial(order, rippleDb);
    double linearRoot = 0.0;
    if (!Factor(order, linearRoot) || !ComputePoles(order, linearRoot))
        return;
    designedOrder = order;
    designedRippleDb = rippleDb;
    designedTransitionWidth = transitionWidth;
    layout.Clear();
    for (int r = 1; r <= numPairs; ++r)
        layout.AddConjugatePair(Complex(poleReal[r], poleImag[r]), Complex(0.0, zeros[r]));
    if (linearRoot != 0.0)
        layout.AddSingle(poleReal[numPairs + 1], kInfinity);
    layout.normalW = 0.0;
    layout.normalGain = order % 2 == 1 ? 1.0 : std::pow(10.0, -rippleDb / 20.0);
}

bool EllipticPrototype::ComputeZeros(int order, double transitionWidth)
{
    const double xi = 5.0 * std::exp(transitionWidth - 1.0) + 1.0;
    const double k = CompleteEllipticIntegral(1.0 / xi);
    const double kPrime = CompleteEllipticIntegral(std::sqrt(1.0 - 1.0 / (xi * xi)));
    const double q = std::exp(-kPi * kPrime / k);
    const int ni = order % 2 == 0 ? 1 : 0;
    for (int i = 1; i <= order / 2; ++i) {
        const double u = (2 * i - ni) * k / order;
        const double v = (kPi / 2.0) * u / k;
        // term is q^(j + 1/2) and oddPower q^(2j + 1), kept by multiplication.
        double sn = 0.0;
        double term = std::sqrt(q);
        double oddPower = q;
        for (int j = 0;; ++j) {
            if (j == kMaxSeriesTerms)
                return false;
            sn += term * std::sin((2 * j + 1) * v) / (1.0 - oddPower);
            if (!(term >= kSeriesCutoff))
                break;
            term *= q;
            oddPower *= q * q;
        }
        zeros[i] = 1.0 / (sn * 2.0 * kPi / k);
    }
    zeros[order / 2 + 1] = std::numeric_limits<double>::infinity();
    return true;
}

void EllipticPrototype::BuildPolynomial(int order, double rippleDb)
{
    const double e2 = std::pow(10.0, rippleDb / 10.0);
    const int nin = order % 2;
    const int h = order / 2;
    const int m = nin + 2 * h;
    const int em = 2 * (m / 2);
    for (int i = 1; i <= h; ++i)
        mappedZeros[i] = std::sqrt(1.0 - 1.0 / (zeros[h + 1 - i] * zeros[h + 1 - i]));
    const double e = std::sqrt(e2 - 1.0);

    // Numerator square.
    if (nin == 1)
        productRoots[1] = 1.0;
    for (int i = nin + 1; i <= nin + h; ++i) {
        productRoots[i] = mappedZeros[i - nin];
        productRoots[i + h] = mappedZeros[i - nin];
    }
    ProductPolynomial(nin + 2 * h);
    for (int i = 0; i <= em; i += 2)
        poly[i] = e * product[i];
    for (int i = 0; i <= 2 * em; i += 2) {
        const double scale = std::pow(10.0, m - i / 2);
        double sum = 0.0;
        for (int j = std::max(0, i - em); j <= std::min(i, em); j += 2)
            sum += poly[j] * poly[i - j] * scale;
        numeratorSquare[i] = sum;
    }

    // Second polynomial.
    for (int i = 1; i <= nin; ++i)
        productRoots[i] = -10.0;
    for (int i = nin + 1; i <= nin + h; ++i)
        productRoots[i] = -10.0 * mappedZeros[i - nin] * mappedZeros[i - nin];
    for (int i = nin + h + 1; i <= m; ++i)
        productRoots[i] = productRoots[i - h];
    ProductPolynomial(m);
    const double sign = nin == 1 ? -1.0 : 1.0;
    for (int i = 0; i <= 2 * m; i += 2)
        signedProduct[i] = sign * product[i / 2];

    if (m > em)
        numeratorSquare[2 * m] = 0.0;
    for (int i = 0; i <= 2 * m; i += 2)
        poly[m - i / 2] = numeratorSquare[i] + signedProduct[i];
}

void EllipticPrototype::ProductPolynomial(int count)
{
    std::fill_n(product.begin(), count + 1, 0.0);
    product[0] = 1.0;
    for (int i = 1; i <= count; ++i) {
        for (int k = i; k >= 1; --k)
            product[k] = product[k - 1] + productRoots[i] * product[k];
        product[0] *= productRoots[i];
    }
}

bool EllipticPrototype::Factor(int t, double& linearRoot)
{
    WorkArray& a = poly;
    WorkArray& b = work;
    WorkArray& c = workDerivative;
    for (int i = 1; i <= t; ++i)
        a[i] /= a[0];
    a[0] = 1.0;
    b[0] = 1.0;
    c[0] = 1.0;
    int factor = 0;
    while (t > 2) {
        double p0 = 0.0;
        double q0 = 0.0;
        for (int iteration = 0;; ++iteration) {
            if (iteration == kMaxFactorIterations)
                return false;
            b[1] = a[1] - p0;
            c[1] = b[1] - p0;
            for (int i = 2; i <= t; ++i)
                b[i] = a[i] - p0 * b[i - 1] - q0 * b[i - 2];
            for (int i = 2; i <= t - 1; ++i)
                c[i] = b[i] - p0 * c[i - 1] - q0 * c[i - 2];
            double x4 = c[t - 2] * c[t - 2] + c[t - 3] * (b[t - 1] - c[t - 1]);
            if (x4 == 0.0)
                x4 = kSingularDivisor;
            const double dp = (b[t - 1] * c[t - 2] - b[t] * c[t - 3]) / x4;
            const double dq = (b[t] * c[t - 2] - b[t - 1] * (c[t - 1] - b[t - 1])) / x4;
            p0 += dp;
            q0 += dq;
            if (!std::isfinite(p0) || !std::isfinite(q0))
                return false;
            if (std::fabs(dp + dq) < kFactorTolerance)
                break;
        }
        ++factor;
        factorP[factor] = p0;
        factorQ[factor] = q0;
        a[1] -= p0;
        t -= 2;
        for (int i = 2; i <= t; ++i)
            a[i] -= p0 * a[i - 1] + q0 * a[i - 2];
    }
    linearRoot = 0.0;
    if (t == 2) {
        ++factor;
        factorP[factor] = a[1];
        factorQ[factor] = a[2];
    } else if (t == 1) {
        linearRoot = -a[1];
    }
    return true;
}

bool EllipticPrototype::ComputePoles(int order, double linearRoot)
{
    const double fb = 1.0 / (2.0 * kPi);
    const double fbb = fb * fb;
    const int em = 2 * (order / 2);
    numPairs = em / 2;
    for (int r = 1; r <= numPairs; ++r) {
        const double p = factorP[r] / 10.0;
        const double q = factorQ[r] / 100.0;
        const double d = 1.0 + p + q;
        const double b = (1.0 + p / 2.0) * fbb / d;
        poleF[r] = fb / std::pow(d, 0.25);
        poleQ[r] = 1.0 / std::sqrt(std::fabs(2.0 * (1.0 - b / (poleF[r] * poleF[r]))));
        poleW[r] = 2.0 * kPi * poleF[r];
        const double w = poleW[r];
        const double zq = poleQ[r];
        poleReal[r] = -w / (2.0 * zq);
        poleImag[r] = std::sqrt(std::fabs(w * w / (zq * zq) - 4.0 * w * w)) / 2.0;
        if (!std::isfinite(poleReal[r]) || !std::isfinite(poleImag[r]) || !std::isfinite(zeros[r]))
            return false;
    }
    if (linearRoot != 0.0) {
        poleReal[numPairs + 1] = -std::sqrt(fbb / (0.1 * linearRoot - 1.0)) * 2.0 * kPi;
        if (!std::isfinite(poleReal[numPairs + 1]))
            return false;
    }
    return true;
}

} // namespace Dsp
