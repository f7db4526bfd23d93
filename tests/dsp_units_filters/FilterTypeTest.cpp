#include "dsp/units/filters/FilterType.h"

#include <gtest/gtest.h>

#include <string>

TEST(FilterType, NamesOfEveryTypeAndOfUnknownTypes)
{
    struct Case { int type; const char* longName; const char* shortName; };
    const Case cases[] = {
        {-1, "", ""},
        {0, "RBJ LowPass", "RBJ-LP"},
        {1, "RBJ HighPass", "RBJ-HP"},
        {2, "RBJ BandPass 1", "RBJ-BP1"},
        {3, "RBJ BandPass 2", "RBJ-BP2"},
        {4, "RBJ BandStop", "RBJ-BS"},
        {5, "StateVariable LowPass", "SV LP"},
        {6, "StateVariable HighPass", "SV HP"},
        {7, "StateVariable BandPass", "SV BP"},
        {8, "StateVariable BandStop", "SV BS"},
        {9, "Bessel HighPass 12dB", "BesselHP"},
        {10, "Bessel LowPass 12dB", "BesselLP"},
        {11, "Bessel BandPass 12dB", "BesselBP"},
        {12, "Bessel BandStop 12dB", "BesselBS"},
        {13, "Elliptic HighPass 12dB", "EllipticHP"},
        {14, "Elliptic LowPass 12dB", "EllipticLP"},
        {15, "Elliptic BandPass 12dB", "EllipticBP"},
        {16, "Elliptic BandStop 12dB", "EllipticBS"},
        {17, "Chebyshev HighPass 6dB", "CH-HP6"},
        {18, "Chebyshev HighPass 12dB", "CH-HP12"},
        {19, "Chebyshev HighPass 18dB", "CH-HP18"},
        {20, "Chebyshev HighPass 24dB", "CH-HP24"},
        {21, "Chebyshev HighPass 48dB", "CH-HP48"},
        {22, "Chebyshev LowPass 6dB", "CH-LP6"},
        {23, "Chebyshev LowPass 12dB", "CH-LP12"},
        {24, "Chebyshev LowPass 18dB", "CH-LP18"},
        {25, "Chebyshev LowPass 24dB", "CH-LP24"},
        {26, "Chebyshev LowPass 48dB", "CH-LP48"},
        {27, "Butterworth HighPass 12dB", "BW-HP12"},
        {28, "Butterworth LowPass 12dB", "BW-LP12"},
        {29, "Butterworth BandPass 12dB", "BW-BP12"},
        {30, "Butterworth BandStop 12dB", "BW-BS12"},
        {31, "", ""},
    };
    for (const Case& c : cases)
    {
        EXPECT_STREQ(GetFilterTypeName(c.type), c.longName) << c.type;
        EXPECT_STREQ(GetFilterTypeShortName(c.type), c.shortName) << c.type;
    }
}

TEST(FilterType, EveryLongNameParsesBackToItsType)
{
    for (int type = 0; type < kFilterTypeCount; ++type)
        EXPECT_EQ(ParseFilterType(GetFilterTypeName(type)), type) << GetFilterTypeName(type);
}

TEST(FilterType, ParsesAliasesAndRejectsOtherTexts)
{
    struct Case { const char* name; int expected; };
    const Case cases[] = {
        {"RBJ-LP", 0}, {"RBJ-HP", 1}, {"RBJ-BP", 2}, {"RBJ-BP1", 2}, {"RBJ-BP2", 3}, {"RBJ-BS", 4},
        {"HP 6dB", 17}, {"HP 12dB", 18}, {"HP 18dB", 19}, {"HP 24dB", 20}, {"HP 48dB", 21},
        {"LP 6dB", 22}, {"LP 12dB", 23}, {"LP 18dB", 24}, {"LP 24dB", 25}, {"LP 48dB", 26},
        {"BP 12dB", 29}, {"BS 12dB", 30},
        {"SV LP", 0}, {"BesselHP", 0}, {"CH-HP6", 0}, {"BW-LP12", 0}, {"BW-BS12", 0},
        {"rbj lowpass", 0}, {"LP 12dB ", 0}, {" LP 12dB", 0}, {"", 0}, {nullptr, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseFilterType(c.name), c.expected) << (c.name ? c.name : "(null)");
}
