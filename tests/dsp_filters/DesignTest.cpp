#include "DesignCatalogue.h"

#include "dsp/filters/BiquadSection.h"
#include "dsp/filters/Bessel/Designs.h"
#include "dsp/filters/Butterworth/Designs.h"
#include "dsp/filters/ParamInfo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

namespace {

TEST(Design, OrderIsTruncatedAndKeptWithinTheStorage)
{
    struct Case {
        const char* design;
        double order;
        int pairs;
        bool lastSingle;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"ButterworthLowPass1", 2.0, 1, false}, // the default order still fits
        {"ButterworthLowPass1", 1.0, 1, true},
        {"ButterworthLowPass8", 8.0, 4, false},
        {"ButterworthLowPass8", 3.0, 2, true},
        {"ButterworthLowPass8", 1.9, 1, true},
        {"ButterworthLowPass4", 9.0, 2, false},
        {"ButterworthLowPass4", 0.0, 1, true},
        {"ButterworthLowPass4", -3.0, 1, true},
        {"ButterworthLowPass4", nan, 1, true},
        {"EllipticLowPass4", 2.7, 1, false},
        {"ButterworthBandPass2", 1.0, 1, false},
        {"ButterworthBandPass2", 2.0, 2, false},
        {"BesselBandStop4", 4.0, 4, false},
        {"BesselBandStop4", 3.0, 3, false},
        {"ChebyshevIHighPass8", 7.0, 4, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.design) + " order " + std::to_string(c.order));
        auto filter = MakeDesigned(FindDesign(c.design), 44100);
        SetParam(*filter, Dsp::kOrderId, c.order);
        const auto pairs = filter->GetPoleZeroPairs();
        ASSERT_EQ(static_cast<int>(pairs.size()), c.pairs);
        EXPECT_EQ(pairs.back().IsSingle(), c.lastSingle);
    }
}

TEST(Design, SingleBiquadDesignsReportTheirOnePair)
{
    for (const char* design : {"RbjLowPass", "RbjHighPass", "RbjBandPass1", "RbjBandPass2", "RbjBandStop"}) {
        SCOPED_TRACE(design);
        const auto unset = FindDesign(design).make();
        EXPECT_TRUE(unset->GetPoleZeroPairs().empty());
        const auto filter = MakeDesigned(FindDesign(design), 44100);
        const auto pairs = filter->GetPoleZeroPairs();
        ASSERT_EQ(pairs.size(), 1u);
        // The poles at 2000 Hz, Q 1: radius sqrt((1 - alpha) / (1 + alpha)).
        const double w0 = 2000.0 * 2.0 * std::numbers::pi / 44100.0;
        const double alpha = std::sin(w0) / 2.0;
        EXPECT_NEAR(std::abs(pairs[0].pole1), std::sqrt((1.0 - alpha) / (1.0 + alpha)), 1e-12);
        EXPECT_NEAR(std::abs(pairs[0].pole1 - std::conj(pairs[0].pole2)), 0.0, 1e-12);
    }
}

TEST(Design, SectionsConvertToAndFromPoleZeroPairs)
{
    Dsp::BiquadSection single;
    single.SetPoleZeroPair({0.5, 0.0, -0.25, 0.0});
    EXPECT_EQ(single.a1, -0.5);
    EXPECT_EQ(single.a2, 0.0);
    EXPECT_EQ(single.b0, 0.25);
    EXPECT_EQ(single.b1, 1.0);
    EXPECT_EQ(single.b2, 0.0);

    const Dsp::Complex pole(0.3, 0.4);
    const Dsp::Complex zero(-0.6, 0.8);
    Dsp::BiquadSection section;
    section.SetPoleZeroPair({pole, std::conj(pole), zero, std::conj(zero)});
    const Dsp::BiquadSection::PoleZeros back = section.GetPoleZeroPair();
    EXPECT_NEAR(std::abs(back.pair.pole1 - std::conj(pole)), 0.0, 1e-15);
    EXPECT_NEAR(std::abs(back.pair.pole2 - pole), 0.0, 1e-15);
    EXPECT_NEAR(std::abs(back.pair.zero1 - std::conj(zero)), 0.0, 1e-15);
    EXPECT_EQ(back.gain, 1.0);

    Dsp::BiquadSection real;
    real.SetPoleZeroPair({0.5, -0.2, 1.0, 1.0});
    EXPECT_NEAR(real.a1, -0.3, 1e-15);
    EXPECT_NEAR(real.a2, -0.1, 1e-15);
    EXPECT_EQ(real.b1, -2.0);
    EXPECT_EQ(real.b2, 1.0);
}

TEST(Design, BandEdgesAreHeldInsideTheDigitalRange)
{
    constexpr double kPi = std::numbers::pi;
    struct Case {
        double fc;
        double fw;
        double expectedNormalW;
    };
    // A band reaching below zero keeps its lower edge at 1e-8; one reaching past 0.49 of the
    // sample rate is cut there.
    const double upper = 2.0 * kPi * 0.49;
    const Case cases[] = {
        {0.01, 0.05, 2.0 * std::atan(std::sqrt(std::tan(0.5e-8) * std::tan(2.0 * kPi * 0.035 / 2.0)))},
        {0.45, 0.2, 2.0 * std::atan(std::sqrt(std::tan(2.0 * kPi * 0.35 / 2.0) * std::tan(upper / 2.0)))},
    };
    for (const Case& c : cases) {
        Dsp::Butterworth::Design::BandPass<2> design;
        Dsp::FilterParams p{1.0, 2.0, c.fc, c.fw};
        design.SetParams(p);
        EXPECT_NEAR(design.GetDigitalLayout().normalW, c.expectedNormalW, 1e-12) << c.fc;
        EXPECT_NEAR(std::abs(design.GetCascade().Response(c.expectedNormalW / (2.0 * kPi))), 1.0, 1e-6);
    }
}

TEST(Design, CascadeIsNormalisedAtTheReferenceFrequency)
{
    Dsp::Bessel::Design::BandPass<4> bandPass;
    bandPass.SetParams({48000.0, 4.0, 3000.0, 500.0});
    const double w = bandPass.GetDigitalLayout().normalW;
    EXPECT_NEAR(std::abs(bandPass.GetCascade().Response(w / (2.0 * std::numbers::pi))), 1.0, 1e-12);

    Dsp::Butterworth::Design::LowPass<8> lowPass;
    lowPass.SetParams({48000.0, 8.0, 3000.0});
    EXPECT_NEAR(std::abs(lowPass.GetCascade().Response(0.0)), 1.0, 1e-12);
    EXPECT_EQ(lowPass.GetCascade().GetNumStages(), 4);
}

TEST(Design, SetParamsCopiesTheCallersValues)
{
    for (const DesignEntry& entry : AllDesigns()) {
        SCOPED_TRACE(entry.label);
        auto filter = MakeDesigned(entry, 44100);
        auto reference = MakeDesigned(entry, 44100);
        SetParam(*reference, Dsp::kFrequencyId, 3000.0);
        Dsp::FilterParams values = reference->params;
        filter->SetParams(values);
        EXPECT_EQ(filter->params, values);
        EXPECT_EQ(filter->Response(0.1), reference->Response(0.1));
    }
}

} // namespace
