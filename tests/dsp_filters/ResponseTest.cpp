#include "DesignCatalogue.h"

#include "dsp/filters/ParamInfo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kTolerance = 1e-8;
// Below this level the tolerance no longer shrinks with the magnitude.
constexpr double kStopBandLevel = 0.1;
// The elliptic zeros come from a series cut off at 1e-7; a band held just above zero frequency
// is normalised where its response cancels badly.
constexpr double kLooseTolerance = 1e-6;

// Analog frequency that the bilinear map of a low pass with cutoff fcHz gives to w.
double Prewarped(double w, double fs, double fcHz)
{
    return std::tan(w / 2.0) / std::tan(kPi * fcHz / fs);
}

// Analog frequency of w under the band map: 0 at the band's centre, +-1 at its edges. A lower
// edge below zero is held just above it.
double BandOmega(double w, double fs, double centreHz, double widthHz)
{
    const double lower = std::max(2.0 * kPi * (centreHz - widthHz / 2.0) / fs, 1e-8);
    const double upper = 2.0 * kPi * (centreHz + widthHz / 2.0) / fs;
    const double a = std::cos((upper + lower) / 2.0) / std::cos((upper - lower) / 2.0);
    return (a - std::cos(w)) / (std::sin(w) * std::tan((upper - lower) / 2.0));
}

double Butterworth(int n, double omega)
{
    return 1.0 / std::sqrt(1.0 + std::pow(omega, 2.0 * n));
}

double ChebyshevT(int n, double x)
{
    if (std::fabs(x) <= 1.0)
        return std::cos(n * std::acos(x));
    return std::cosh(n * std::acosh(std::fabs(x)));
}

double ChebyshevI(int n, double rippleDb, double omega)
{
    const double eps2 = std::pow(10.0, rippleDb / 10.0) - 1.0;
    const double t = ChebyshevT(n, omega);
    return 1.0 / std::sqrt(1.0 + eps2 * t * t);
}

double Shelf(int n, double gainDb, double omega)
{
    const double g = std::pow(10.0, gainDb / 20.0);
    const double x = std::pow(omega, 2.0 * n);
    return std::sqrt((g + x) / (1.0 / g + x));
}

// Reverse Bessel polynomials, constant term first.
double Bessel(int n, double omega)
{
    static const std::vector<std::vector<double>> polynomials = {
        {1, 1}, {3, 3, 1}, {15, 15, 6, 1}, {105, 105, 45, 10, 1}};
    const std::vector<double>& c = polynomials[n - 1];
    std::complex<double> value = 0.0;
    for (int k = n; k >= 0; --k)
        value = value * std::complex<double>(0.0, omega) + c[k];
    return c[0] / std::abs(value);
}

// Elliptic of order 1 or 2: ripple band up to 1, selectivity xi from the transition width.
double Elliptic(int n, double rippleDb, double width, double omega)
{
    const double eps2 = std::pow(10.0, rippleDb / 10.0) - 1.0;
    double r = omega;
    if (n == 2) {
        const double xi = 5.0 * std::exp(width - 1.0) + 1.0;
        const double t = std::sqrt(1.0 - 1.0 / (xi * xi));
        const double x2 = omega * omega;
        r = ((t + 1.0) * x2 - 1.0) / ((t - 1.0) * x2 + 1.0);
    }
    return 1.0 / std::sqrt(1.0 + eps2 * r * r);
}

// Analog second-order prototypes of the single-biquad designs at s = jW.
double Rbj(const std::string& design, double q, double omega)
{
    const std::complex<double> s(0.0, omega);
    const std::complex<double> denominator = s * s + s / q + 1.0;
    std::complex<double> numerator = 1.0;
    if (design == "RbjHighPass")
        numerator = s * s;
    else if (design == "RbjBandPass1")
        numerator = s;
    else if (design == "RbjBandPass2")
        numerator = s / q;
    else if (design == "RbjBandStop")
        numerator = s * s + 1.0;
    return std::abs(numerator / denominator);
}

struct Setting {
    int id;
    double value;
};

struct Case {
    const char* design;
    std::vector<Setting> settings;
    // Magnitude at w radians per sample for the sample rate fs.
    std::function<double(double w, double fs)> magnitude;
    double relativeTolerance = kTolerance;
};

Case LowPass(const char* design, int order, double fc, std::function<double(double)> prototype)
{
    return {design, {{Dsp::kOrderId, double(order)}, {Dsp::kFrequencyId, fc}},
            [=](double w, double fs) { return prototype(Prewarped(w, fs, fc)); }};
}

Case HighPass(const char* design, int order, double fc, std::function<double(double)> prototype)
{
    return {design, {{Dsp::kOrderId, double(order)}, {Dsp::kFrequencyId, fc}},
            [=](double w, double fs) { return prototype(1.0 / Prewarped(w, fs, fc)); }};
}

Case Band(const char* design, int order, double centre, double width, bool stop,
          std::function<double(double)> prototype)
{
    return {design, {{Dsp::kOrderId, double(order)}, {Dsp::kFrequencyId, centre}, {Dsp::kBandwidthHzId, width}},
            [=](double w, double fs) {
                const double omega = BandOmega(w, fs, centre, width);
                return prototype(stop ? 1.0 / omega : omega);
            }};
}

Case Loose(Case c)
{
    c.relativeTolerance = kLooseTolerance;
    return c;
}

Case WithSetting(Case c, Setting setting)
{
    c.settings.insert(c.settings.begin(), setting);
    return c;
}

Case RbjCase(const char* design, double f, double q)
{
    const int qId = std::string(design) == "RbjLowPass" || std::string(design) == "RbjHighPass"
                        ? Dsp::kResonanceId
                        : Dsp::kBandwidthOctavesId;
    return {design, {{Dsp::kFrequencyId, f}, {qId, q}},
            [=](double w, double fs) { return Rbj(design, q, Prewarped(w, fs, f)); }};
}

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    auto bw = [](int n) { return [n](double omega) { return Butterworth(n, omega); }; };
    auto cheby = [](int n, double ripple) { return [=](double omega) { return ChebyshevI(n, ripple, omega); }; };
    auto bessel = [](int n) { return [n](double omega) { return Bessel(n, omega); }; };
    auto shelf = [](int n, double gain) { return [=](double omega) { return Shelf(n, gain, omega); }; };
    auto elliptic = [](int n, double ripple, double width) {
        return [=](double omega) { return Elliptic(n, ripple, width, omega); };
    };

    cases.push_back(LowPass("ButterworthLowPass1", 1, 1000, bw(1)));
    cases.push_back(LowPass("ButterworthLowPass1", 2, 1000, bw(2)));
    cases.push_back(LowPass("ButterworthLowPass2", 2, 5000, bw(2)));
    cases.push_back(LowPass("ButterworthLowPass4", 3, 2000, bw(3)));
    cases.push_back(LowPass("ButterworthLowPass4", 4, 2000, bw(4)));
    cases.push_back(LowPass("ButterworthLowPass8", 5, 15000, bw(5)));
    cases.push_back(LowPass("ButterworthLowPass8", 8, 300, bw(8)));
    cases.push_back(HighPass("ButterworthHighPass1", 1, 1000, bw(1)));
    cases.push_back(HighPass("ButterworthHighPass2", 2, 20, bw(2)));
    cases.push_back(HighPass("ButterworthHighPass4", 4, 2000, bw(4)));
    cases.push_back(HighPass("ButterworthHighPass8", 7, 9000, bw(7)));
    cases.push_back(HighPass("ButterworthHighPass8", 8, 9000, bw(8)));
    cases.push_back(Band("ButterworthBandPass2", 1, 2000, 1720, false, bw(1)));
    cases.push_back(Band("ButterworthBandPass2", 2, 8000, 3000, false, bw(2)));
    cases.push_back(Loose(Band("ButterworthBandPass2", 2, 300, 1000, false, bw(2))));
    cases.push_back(Band("ButterworthBandStop2", 1, 2000, 1720, true, bw(1)));
    cases.push_back(Band("ButterworthBandStop2", 2, 8000, 3000, true, bw(2)));
    cases.push_back(Band("ButterworthBandStop2", 2, 300, 1000, true, bw(2)));

    cases.push_back(WithSetting(LowPass("ButterworthLowShelf2", 2, 150, shelf(2, 6)), {Dsp::kGainId, 6}));
    cases.push_back(WithSetting(LowPass("ButterworthLowShelf2", 1, 1000, shelf(1, -12)), {Dsp::kGainId, -12}));
    cases.push_back(WithSetting(HighPass("ButterworthHighShelf2", 2, 4000, shelf(2, -6)), {Dsp::kGainId, -6}));
    cases.push_back(WithSetting(HighPass("ButterworthHighShelf2", 1, 4000, shelf(1, 24)), {Dsp::kGainId, 24}));
    cases.push_back(WithSetting(Band("ButterworthBandShelf2", 2, 350, 300, false, shelf(2, 9)), {Dsp::kGainId, 9}));
    cases.push_back(
        WithSetting(Band("ButterworthBandShelf2", 2, 1600, 1000, false, shelf(2, -12)), {Dsp::kGainId, -12}));
    cases.push_back(
        WithSetting(Band("ButterworthBandShelf2", 1, 12000, 2000, false, shelf(1, 6)), {Dsp::kGainId, 6}));

    for (const char* design : {"ChebyshevILowPass4", "ChebyshevILowPass4FormI"}) {
        for (int order = 1; order <= 4; ++order)
            cases.push_back(WithSetting(LowPass(design, order, 3000, cheby(order, 1)), {Dsp::kRippleId, 1}));
    }
    for (const char* design : {"ChebyshevIHighPass4", "ChebyshevIHighPass4FormI"}) {
        for (int order = 1; order <= 4; ++order)
            cases.push_back(WithSetting(HighPass(design, order, 3000, cheby(order, 0.01)), {Dsp::kRippleId, 0.01}));
    }
    cases.push_back(WithSetting(LowPass("ChebyshevILowPass8", 8, 12000, cheby(8, 3)), {Dsp::kRippleId, 3}));
    cases.push_back(WithSetting(LowPass("ChebyshevILowPass8", 5, 500, cheby(5, 0.5)), {Dsp::kRippleId, 0.5}));
    cases.push_back(WithSetting(HighPass("ChebyshevIHighPass8", 8, 800, cheby(8, 6)), {Dsp::kRippleId, 6}));

    struct EllipticShape {
        double ripple;
        double width;
    };
    for (const EllipticShape shape : {EllipticShape{0.01, 0.0}, EllipticShape{1.0, -2.0}, EllipticShape{6.0, 3.0}}) {
        for (int order = 1; order <= 2; ++order) {
            const auto proto = elliptic(order, shape.ripple, shape.width);
            auto shaped = [&shape](Case c) {
                return Loose(WithSetting(WithSetting(c, {Dsp::kRippleId, shape.ripple}),
                                         {Dsp::kTransitionWidthId, shape.width}));
            };
            cases.push_back(shaped(LowPass("EllipticLowPass4", order, 2500, proto)));
            cases.push_back(shaped(HighPass("EllipticHighPass4", order, 2500, proto)));
            cases.push_back(shaped(Band("EllipticBandPass4", order, 5000, 2000, false, proto)));
            cases.push_back(shaped(Band("EllipticBandStop4", order, 5000, 2000, true, proto)));
        }
    }

    for (int order = 1; order <= 4; ++order) {
        cases.push_back(LowPass("BesselLowPass4", order, 4000, bessel(order)));
        cases.push_back(HighPass("BesselHighPass4", order, 40, bessel(order)));
        cases.push_back(Band("BesselBandPass4", order, 2000, 1720, false, bessel(order)));
        cases.push_back(Band("BesselBandStop4", order, 2000, 1720, true, bessel(order)));
    }

    for (const char* design : {"RbjLowPass", "RbjHighPass", "RbjBandPass1", "RbjBandPass2", "RbjBandStop"}) {
        cases.push_back(RbjCase(design, 2000, 1));
        cases.push_back(RbjCase(design, 500, 0.0625));
        cases.push_back(RbjCase(design, 12000, 16));
    }
    return cases;
}

TEST(Response, MatchesTheClosedFormMagnitudeOfEveryFamily)
{
    for (const Case& c : Cases()) {
        for (double fs : {44100.0, 48000.0, 96000.0}) {
            const auto filter = MakeDesigned(FindDesign(c.design), fs);
            std::string trace = std::string(c.design) + " at " + std::to_string(fs);
            for (const Setting& s : c.settings) {
                SetParam(*filter, s.id, s.value);
                trace += " id" + std::to_string(s.id) + "=" + std::to_string(s.value);
            }
            SCOPED_TRACE(trace);
            for (double f = 0.0005; f < 0.4999; f += 0.0049) {
                const double w = 2.0 * kPi * f;
                const double expected = c.magnitude(w, fs);
                EXPECT_NEAR(std::abs(filter->Response(f)), expected, c.relativeTolerance * (expected + kStopBandLevel))
                    << "f " << f;
            }
        }
    }
}

} // namespace
