#include "dsp/filters/BesselPrototype.h"
#include "dsp/filters/ButterworthPrototype.h"
#include "dsp/filters/ButterworthShelfPrototype.h"
#include "dsp/filters/ChebyshevIPrototype.h"
#include "dsp/filters/EllipticPrototype.h"
#include "dsp/filters/PolynomialRootFinder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

using Dsp::Complex;

// An analog layout of up to four poles with its storage.
struct AnalogLayout {
    std::array<Dsp::PoleZeroPair, 2> pairs{};
    Dsp::PoleZeroLayout layout{pairs, 0.0, 1.0};

    std::vector<Complex> Poles() const
    {
        std::vector<Complex> poles;
        for (int i = 0; i < layout.GetNumPairs(); ++i) {
            const Dsp::PoleZeroPair& pair = layout.GetPair(i);
            poles.push_back(pair.pole1);
            if (!pair.IsSingle())
                poles.push_back(pair.pole2);
        }
        return poles;
    }
};

void ExpectPoles(const AnalogLayout& analog, const std::vector<Complex>& expected, double tolerance)
{
    const std::vector<Complex> poles = analog.Poles();
    ASSERT_EQ(poles.size(), expected.size());
    for (size_t i = 0; i < poles.size(); ++i) {
        EXPECT_NEAR(poles[i].real(), expected[i].real(), tolerance) << i;
        EXPECT_NEAR(poles[i].imag(), expected[i].imag(), tolerance) << i;
    }
}

TEST(Prototype, ButterworthPolesLieOnTheLeftUnitHalfCircle)
{
    AnalogLayout analog;
    Dsp::ButterworthPrototype prototype(analog.layout);
    prototype.Design(1);
    ExpectPoles(analog, {-1.0}, 1e-15);
    EXPECT_TRUE(Dsp::IsInfinity(analog.layout.GetPair(0).zero1));
    prototype.Design(2);
    ExpectPoles(analog, {{-std::sqrt(0.5), std::sqrt(0.5)}, {-std::sqrt(0.5), -std::sqrt(0.5)}}, 1e-15);
}

TEST(Prototype, ShelfAtZeroDecibelsHasCoincidingPolesAndZeros)
{
    AnalogLayout analog;
    Dsp::ButterworthShelfPrototype prototype(analog.layout);
    for (int order = 1; order <= 4; ++order) {
        prototype.Design(order, 0.0);
        ASSERT_EQ(analog.layout.GetNumPoles(), order);
        for (int i = 0; i < analog.layout.GetNumPairs(); ++i) {
            const Dsp::PoleZeroPair& pair = analog.layout.GetPair(i);
            EXPECT_EQ(pair.pole1, pair.zero1);
            EXPECT_EQ(pair.pole2, pair.zero2);
        }
    }
}

TEST(Prototype, ChebyshevReferenceGainIsTheBottomOfTheRippleForEvenOrders)
{
    AnalogLayout analog;
    Dsp::ChebyshevIPrototype prototype(analog.layout);
    prototype.Design(4, 1.0);
    EXPECT_NEAR(analog.layout.normalGain, 0.891250938, 1e-9);
    EXPECT_EQ(analog.layout.normalW, 0.0);
    prototype.Design(3, 1.0);
    EXPECT_EQ(analog.layout.normalGain, 1.0);
}

TEST(Prototype, BesselPolesAreTheRootsOfTheReverseBesselPolynomials)
{
    struct Case {
        int order;
        std::vector<Complex> poles;
    };
    const Case cases[] = {
        {1, {-1.0}},
        {2, {{-1.5, 0.8660254038}, {-1.5, -0.8660254038}}},
        {3, {{-1.8389073227, 1.7543809598}, {-1.8389073227, -1.7543809598}, -2.3221853546}},
        {4,
         {{-2.1037893972, 2.6574180419},
          {-2.1037893972, -2.6574180419},
          {-2.8962106028, 0.8672341289},
          {-2.8962106028, -0.8672341289}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.order);
        AnalogLayout analog;
        Dsp::BesselPrototype prototype(analog.layout);
        Dsp::PolynomialRootFinder finder;
        prototype.Design(c.order, finder);
        ExpectPoles(analog, c.poles, 1e-9);
    }
}

TEST(Prototype, RootFinderFailureThrowsLaguerreFailed)
{
    Dsp::PolynomialRootFinder finder;
    finder.SetCoefficient(0, std::numeric_limits<double>::quiet_NaN());
    finder.SetCoefficient(1, 1.0);
    finder.SetCoefficient(2, 1.0);
    try {
        finder.Solve(2);
        ADD_FAILURE() << "no exception";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "laguerre failed");
    }
}

// A prototype that skips a request leaves a cleared layout empty.
template <class Design>
bool Redesigns(AnalogLayout& analog, Design design)
{
    analog.layout.Clear();
    design();
    return analog.layout.GetNumPoles() > 0;
}

TEST(Prototype, RepeatedInputsSkipTheDesignAndAnyChangedInputRedesigns)
{
    AnalogLayout analog;
    Dsp::ButterworthPrototype butterworth(analog.layout);
    EXPECT_TRUE(Redesigns(analog, [&] { butterworth.Design(2); }));
    EXPECT_FALSE(Redesigns(analog, [&] { butterworth.Design(2); }));
    EXPECT_TRUE(Redesigns(analog, [&] { butterworth.Design(3); }));

    Dsp::ButterworthShelfPrototype shelf(analog.layout);
    EXPECT_TRUE(Redesigns(analog, [&] { shelf.Design(2, 6.0); }));
    EXPECT_FALSE(Redesigns(analog, [&] { shelf.Design(2, 6.0); }));
    EXPECT_TRUE(Redesigns(analog, [&] { shelf.Design(2, 5.0); }));

    Dsp::ChebyshevIPrototype chebyshev(analog.layout);
    EXPECT_TRUE(Redesigns(analog, [&] { chebyshev.Design(4, 1.0); }));
    EXPECT_FALSE(Redesigns(analog, [&] { chebyshev.Design(4, 1.0); }));
    EXPECT_TRUE(Redesigns(analog, [&] { chebyshev.Design(4, 2.0); }));

    Dsp::BesselPrototype bessel(analog.layout);
    Dsp::PolynomialRootFinder finder;
    EXPECT_TRUE(Redesigns(analog, [&] { bessel.Design(2, finder); }));
    EXPECT_FALSE(Redesigns(analog, [&] { bessel.Design(2, finder); }));

    Dsp::EllipticPrototype elliptic(analog.layout);
    EXPECT_TRUE(Redesigns(analog, [&] { elliptic.Design(4, 1.0, 0.0); }));
    EXPECT_FALSE(Redesigns(analog, [&] { elliptic.Design(4, 1.0, 0.0); }));
    EXPECT_TRUE(Redesigns(analog, [&] { elliptic.Design(4, 1.0, -1.0); }));
    EXPECT_TRUE(Redesigns(analog, [&] { elliptic.Design(4, 2.0, -1.0); }));
    EXPECT_TRUE(Redesigns(analog, [&] { elliptic.Design(3, 2.0, -1.0); }));
}

TEST(Prototype, EllipticSweepTerminatesWithEveryPoleInTheLeftHalfPlane)
{
    AnalogLayout analog;
    Dsp::EllipticPrototype prototype(analog.layout);
    for (int order = 1; order <= 4; ++order) {
        for (double ripple = 0.001; ripple <= 12.0; ripple += 0.37) {
            for (double width = -16.0; width <= 4.0; width += 0.45) {
                prototype.Design(order, ripple, width);
                const std::vector<Complex> poles = analog.Poles();
                ASSERT_EQ(static_cast<int>(poles.size()), order) << ripple << " " << width;
                for (const Complex& pole : poles)
                    ASSERT_LT(pole.real(), 0.0) << order << " " << ripple << " " << width;
            }
        }
    }
}

TEST(Prototype, EllipticInputsThatDoNotSettleKeepThePreviousLayout)
{
    AnalogLayout analog;
    Dsp::EllipticPrototype prototype(analog.layout);
    prototype.Design(2, 1.0, 0.0);
    const std::vector<Complex> designed = analog.Poles();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        int order;
        double ripple;
        double width;
    };
    // Non-finite inputs, and a ripple of 0 with a wide transition, where the factoring runs on.
    for (const Case c : {Case{3, nan, 0.0}, Case{3, 1.0, nan}, Case{4, 1.0, -1000.0}, Case{3, 0.0, 20.0}}) {
        prototype.Design(c.order, c.ripple, c.width);
        EXPECT_EQ(analog.Poles(), designed) << c.order << " " << c.ripple << " " << c.width;
        EXPECT_EQ(analog.layout.normalGain, std::pow(10.0, -1.0 / 20.0));
    }
    prototype.Design(3, 1.0, 0.0);
    EXPECT_EQ(analog.layout.GetNumPoles(), 3);
}

} // namespace
