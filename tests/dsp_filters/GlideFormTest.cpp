#include "dsp/filters/Bessel/Designs.h"
#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/Butterworth/Designs.h"
#include "dsp/filters/Butterworth/LowShelf.h"
#include "dsp/filters/ChannelState.h"
#include "dsp/filters/ChebyshevI/Designs.h"
#include "dsp/filters/DirectFormI.h"
#include "dsp/filters/DirectFormII.h"
#include "dsp/filters/Elliptic/Designs.h"
#include "dsp/filters/GlideCascade.h"
#include "dsp/filters/GlideSection.h"
#include "dsp/filters/RBJ/LowPass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

using Dsp::Complex;

// D + C (zI - A)^-1 B at z = e^(j 2 pi f).
Complex GlideResponse(const Dsp::GlideSection& s, double f)
{
    const Complex z = std::polar(1.0, 2.0 * std::numbers::pi * f);
    const Complex m11 = z - s.a11;
    const Complex m12 = -s.a12;
    const Complex m21 = -s.a21;
    const Complex m22 = z - s.a22;
    const Complex determinant = m11 * m22 - m12 * m21;
    const Complex x1 = (m22 * s.b1 - m12 * s.b2) / determinant;
    const Complex x2 = (m11 * s.b2 - m21 * s.b1) / determinant;
    return s.d + s.c1 * x1 + s.c2 * x2;
}

TEST(GlideForm, SectionHasTheResponseOfItsBiquadTimesTheGain)
{
    struct Case {
        const char* label;
        Dsp::PoleZeroPair pair;
        double gain;
        double tolerance = 1e-9;
    };
    const Complex slowPole = std::polar(0.9995, 0.001);
    const Complex midPole = std::polar(0.7, 1.2);
    const Complex notch = std::polar(1.0, 0.8);
    // Closer to z = 1 than the lattice scaling follows; its response near zero frequency is
    // only as exact as its coefficients.
    const Complex edgePole(1.0 - 1.5e-8, 8.7e-9);
    const Complex edgeZero = std::polar(1.0, 1.2e-4);
    const Case cases[] = {
        {"slow resonant low pass", {slowPole, std::conj(slowPole), -1.0, -1.0}, 1e-6},
        {"notch", {midPole, std::conj(midPole), notch, std::conj(notch)}, 2.0},
        {"real poles", {0.3, -0.6, 1.0, -1.0}, 0.5},
        {"double real pole", {0.9, 0.9, -1.0, 0.2}, 1.0},
        {"first order", {0.95, 0.0, -1.0, 0.0}, 0.025},
        {"pole at the band edge limit", {edgePole, std::conj(edgePole), edgeZero, std::conj(edgeZero)}, 1.0, 1e-6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Dsp::BiquadSection section;
        section.SetPoleZeroPair(c.pair);
        const Dsp::GlideSection glide = Dsp::GlideSection::FromBiquad(section, c.gain);
        for (double f : {1e-6, 0.003, 0.05, 0.2, 0.45}) {
            const Complex expected = c.gain * section.Response(f);
            EXPECT_NEAR(std::abs(GlideResponse(glide, f) - expected), 0.0, c.tolerance * std::abs(expected)) << f;
        }
    }
}

struct CascadeCase {
    std::string label;
    std::function<const Dsp::Cascade&()> cascade;
};

template <class Design>
CascadeCase Designed(const std::string& label, const Dsp::FilterParams& params)
{
    auto design = std::make_shared<Design>();
    design->SetParams(params);
    return {label, [design]() -> const Dsp::Cascade& { return design->GetCascade(); }};
}

constexpr int kMaxStages = 4;

// Runs noise through a memory in its direct form and through a copy of it that moves into
// glide form and later back; both see the same cascade throughout.
template <class Form>
void ExpectNoStepWhenTheFormChanges(const Dsp::Cascade& cascade)
{
    Dsp::GlideCascade<kMaxStages> glide;
    glide.Set(cascade);
    Dsp::ChannelState<Form, kMaxStages> reference;
    Dsp::ChannelState<Form, kMaxStages> switched;
    std::mt19937 random(17);
    std::uniform_real_distribution<double> noise(-0.5, 0.5);
    constexpr int kBefore = 2000;
    constexpr int kGliding = 300;
    constexpr int kAfter = 300;
    double peak = 0.0;
    double worst = 0.0;
    for (int n = 0; n < kBefore + kGliding + kAfter; ++n) {
        if (n == kBefore)
            switched.EnterGlide(glide);
        if (n == kBefore + kGliding)
            switched.LeaveGlide(cascade, glide);
        const double x = noise(random);
        const double expected = reference.Process(x, cascade);
        const double actual =
            n >= kBefore && n < kBefore + kGliding ? switched.ProcessGlide(x, glide) : switched.Process(x, cascade);
        peak = std::max(peak, std::fabs(expected));
        worst = std::max(worst, std::fabs(actual - expected));
    }
    EXPECT_LT(worst, 1e-9 * peak);
}

TEST(GlideForm, MemoryMovesIntoAndOutOfGlideFormWithoutAStep)
{
    namespace Ch = Dsp::ChebyshevI::Design;
    const CascadeCase cases[] = {
        Designed<Ch::LowPass<8>>("ChebyshevILowPass8 at 30 Hz", {44100, 8, 30, 1}),
        Designed<Ch::HighPass<4>>("ChebyshevIHighPass4 at 10 Hz, 192 kHz", {192000, 4, 10, 0.01}),
        Designed<Dsp::Butterworth::Design::LowPass<4>>("ButterworthLowPass4 of order 3", {44100, 3, 5000}),
        Designed<Dsp::Elliptic::Design::BandStop<4>>("EllipticBandStop4", {44100, 4, 1000, 300, 1, 0}),
        Designed<Dsp::Bessel::Design::BandPass<4>>("BesselBandPass4 of order 3", {44100, 3, 200, 100}),
        // Its poles meet its zeros, so its inputs and outputs alone do not fix its memory.
        Designed<Dsp::Butterworth::Design::LowShelf<2>>("ButterworthLowShelf2 at 0 dB", {44100, 2, 60, 0}),
        Designed<Dsp::RBJ::Design::LowPass>("RbjLowPass with real poles", {44100, 300, 0.1}),
    };
    for (const CascadeCase& c : cases) {
        SCOPED_TRACE(c.label);
        {
            SCOPED_TRACE("direct form I");
            ExpectNoStepWhenTheFormChanges<Dsp::DirectFormI>(c.cascade());
        }
        {
            SCOPED_TRACE("direct form II");
            ExpectNoStepWhenTheFormChanges<Dsp::DirectFormII>(c.cascade());
        }
    }
}

} // namespace
