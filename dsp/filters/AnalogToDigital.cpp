#include "dsp/filters/AnalogToDigital.h"

#include "dsp/filters/DesignLimits.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Dsp {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kLowestBandEdge = 1e-8;
constexpr double kHighestBandEdge = 2.0 * kPi * kMaxFrequencyFraction;

struct PointPair {
    Complex first;
    Complex second;
};

struct BandEdges {
    double lower;
    double upper;
};

BandEdges ClampedBandEdges(double fc, double fw)
{
    const double ww = 2.0 * kPi * fw;
    const double wc = 2.0 * kPi * fc;
    const double lower = wc - ww / 2.0;
    const double upper = lower + ww;
    return {std::max(lower, kLowestBandEdge), std::min(upper, kHighestBandEdge)};
}

// a of both band transforms.
double BandShape(const BandEdges& edges)
{
    return std::cos((edges.lower + edges.upper) / 2.0) / std::cos((edges.upper - edges.lower) / 2.0);
}

template <class PointMap>
void MapLowOrHighPass(const PoleZeroLayout& analog, PoleZeroLayout& digital, PointMap map)
{
    digital.Clear();
    const int fullPairs = analog.GetNumPoles() / 2;
    for (int i = 0; i < fullPairs; ++i) {
        const PoleZeroPair& pair = analog.GetPair(i);
        digital.AddConjugatePair(map(pair.pole1), map(pair.zero1));
    }
    if (analog.GetNumPoles() % 2 == 1) {
        const PoleZeroPair& pair = analog.GetPair(fullPairs);
        digital.AddSingle(map(pair.pole1), map(pair.zero1));
    }
}

// Each analog point becomes two digital points.
template <class PointMap>
void MapBand(const PoleZeroLayout& analog, PoleZeroLayout& digital, PointMap map, bool conjugateEqualZeros)
{
    digital.Clear();
    const int fullPairs = analog.GetNumPoles() / 2;
    for (int i = 0; i < fullPairs; ++i) {
        const PoleZeroPair& pair = analog.GetPair(i);
        const PointPair poles = map(pair.pole1);
        PointPair zeros = map(pair.zero1);
        if (conjugateEqualZeros && zeros.second == zeros.first)
            zeros.second = std::conj(zeros.first);
        digital.AddPair({poles.first, std::conj(poles.first), zeros.first, std::conj(zeros.first)});
        digital.AddPair({poles.second, std::conj(poles.second), zeros.second, std::conj(zeros.second)});
    }
    if (analog.GetNumPoles() % 2 == 1) {
        const PoleZeroPair& pair = analog.GetPair(fullPairs);
        const PointPair poles = map(pair.pole1);
        const PointPair zeros = map(pair.zero1);
        digital.AddPair({poles.first, poles.second, zeros.first, zeros.second});
    }
}

} // namespace

void AnalogToDigitalLowPass(double fc, const PoleZeroLayout& analog, PoleZeroLayout& digital)
{
    const double k = std::tan(kPi * fc);
    MapLowOrHighPass(analog, digital, [k](const Complex& c) {
        return IsInfinity(c) ? Complex(-1.0) : Divide(1.0 + k * c, 1.0 - k * c);
    });
    digital.normalW = analog.normalW;
    digital.normalGain = analog.normalGain;
}

void AnalogToDigitalHighPass(double fc, const PoleZeroLayout& analog, PoleZeroLayout& digital)
{
    const double k = 1.0 / std::tan(kPi * fc);
    MapLowOrHighPass(analog, digital, [k](const Complex& c) {
        return IsInfinity(c) ? Complex(1.0) : -Divide(1.0 + k * c, 1.0 - k * c);
    });
    digital.normalW = kPi - analog.normalW;
    digital.normalGain = analog.normalGain;
}

void AnalogToDigitalBandPass(double fc, double fw, const PoleZeroLayout& analog, PoleZeroLayout& digital)
{
    const BandEdges edges = ClampedBandEdges(fc, fw);
    const double a = BandShape(edges);
    const double b = 1.0 / std::tan((edges.upper - edges.lower) / 2.0);
    const double m = b * b * (a * a - 1.0);
    MapBand(
        analog, digital,
        [a, b, m](const Complex& c) -> PointPair {
            if (IsInfinity(c))
                return {Complex(-1.0), Complex(1.0)};
            const Complex c1 = Divide(1.0 + c, 1.0 - c);
            const Complex v = std::sqrt(c1 * (c1 * 4.0 * (m + 1.0) + 8.0 * (m - 1.0)) + 4.0 * (m + 1.0));
            const Complex d = 2.0 * (b - 1.0) * c1 + 2.0 * (b + 1.0);
            const Complex centre = 2.0 * a * b * (1.0 + c1);
            return {Divide(centre - v, d), Divide(centre + v, d)};
        },
        false);
    const double w0 = analog.normalW;
    digital.normalW =
        2.0 * std::atan(std::sqrt(std::tan((w0 + edges.lower) / 2.0) * std::tan((w0 + edges.upper) / 2.0)));
    digital.normalGain = analog.normalGain;
}

void AnalogToDigitalBandStop(double fc, double fw, const PoleZeroLayout& analog, PoleZeroLayout& digital)
{
    const BandEdges edges = ClampedBandEdges(fc, fw);
    const double a = BandShape(edges);
    const double b = std::tan((edges.upper - edges.lower) / 2.0);
    const double sum = b * b + a * a - 1.0;
    const double difference = b * b - a * a + 1.0;
    MapBand(
        analog, digital,
        [a, b, sum, difference](const Complex& c) -> PointPair {
            const Complex c1 = IsInfinity(c) ? Complex(-1.0) : Divide(1.0 + c, 1.0 - c);
            const Complex v = std::sqrt(c1 * (c1 * 4.0 * sum + 8.0 * difference) + 4.0 * sum);
            const Complex d = (b - 1.0) * c1 + (b + 1.0);
            const Complex centre = a * (1.0 - c1);
            return {Divide(centre + v / 2.0, d), Divide(centre - v / 2.0, d)};
        },
        true);
    digital.normalW = fc < 0.25 ? kPi : 0.0;
    digital.normalGain = analog.normalGain;
}

} // namespace Dsp
