#include "dsp/units/curves/PortableTrig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// Reference values are correctly rounded (computed with 3000-bit arithmetic).
TEST(PortableTrig, MatchesCorrectlyRoundedValuesForAnyArgument)
{
    struct Case
    {
        double x;
        double sin;
        double cos;
    };
    const Case cases[] = {
        {0.0, 0.0, 1.0},
        {0.5, 0.479425538604203, 0.8775825618903728},
        {0.7853981633974483, 0.7071067811865475, 0.7071067811865476},
        {0.7853981633974484, 0.7071067811865476, 0.7071067811865475},
        {1.0, 0.8414709848078965, 0.5403023058681398},
        {3.0, 0.1411200080598672, -0.9899924966004454},
        {-3.583099174130628, 0.42730200815851105, -0.9041089501955524},
        {6.283185307179586, -2.4492935982947064e-16, 1.0},
        {100.0, -0.5063656411097588, 0.8623188722876839},
        {1e6, -0.34999350217129294, 0.9367521275331447},
        {1e22, -0.8522008497671888, 0.523214785395139},
        {-1e22, 0.8522008497671888, 0.523214785395139},
        {1e100, -0.3806377310050287, 0.9247242387519338},
        {3.4e297, 0.941566488622402, -0.33682717750098506},
        {1.7976931348623157e308, 0.004961954789184062, -0.9999876894265599},
    };
    for (const Case& c : cases)
    {
        // One unit in the last place of the reference.
        const double sinUlp = std::fabs(c.sin) * 2.3e-16 + 5e-324;
        const double cosUlp = std::fabs(c.cos) * 2.3e-16 + 5e-324;
        EXPECT_NEAR(PortableTrig::Sin(c.x), c.sin, sinUlp) << c.x;
        EXPECT_NEAR(PortableTrig::Cos(c.x), c.cos, cosUlp) << c.x;
    }
}

TEST(PortableTrig, NonFiniteArgumentsGiveNaN)
{
    for (double x : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()})
    {
        EXPECT_TRUE(std::isnan(PortableTrig::Sin(x))) << x;
        EXPECT_TRUE(std::isnan(PortableTrig::Cos(x))) << x;
    }
}
