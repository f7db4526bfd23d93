#include "dsp/filters/Filter.h"
#include "dsp/units/filters/DesignParams.h"
#include "dsp/units/filters/DesignTuning.h"
#include "dsp/units/filters/FilterBank.h"
#include "dsp/units/filters/FilterType.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{

constexpr int kNone = -1;

// The parameter that a resonance change wrote, or kNone.
int ChangedParam(const Dsp::FilterParams& before, const Dsp::Filter& design)
{
    for (int index = 0; index < design.GetNumParams(); ++index)
        if (before[index] != design.params[index])
            return design.GetParamInfo(index).id;
    return kNone;
}

} // namespace

TEST(FilterBank, TypeTableSelectsDesignOrderAndResonanceTarget)
{
    struct Case { int type; const char* design; int kind; double order; int resonanceId; };
    const Case cases[] = {
        {-1, "RBJ Low Pass", 0, kNone, Dsp::kResonanceId},
        {0, "RBJ Low Pass", 0, kNone, Dsp::kResonanceId},
        {1, "RBJ High Pass", 1, kNone, Dsp::kResonanceId},
        {2, "RBJ Band Pass 1", 2, kNone, Dsp::kBandwidthOctavesId},
        {3, "RBJ Band Pass 2", 2, kNone, Dsp::kBandwidthOctavesId},
        {4, "RBJ Band Stop", 3, kNone, Dsp::kBandwidthOctavesId},
        {5, "RBJ Low Pass", 0, kNone, Dsp::kResonanceId},
        {6, "RBJ High Pass", 1, kNone, Dsp::kResonanceId},
        {7, "RBJ Band Pass 1", 2, kNone, Dsp::kBandwidthOctavesId},
        {8, "RBJ Band Pass 1", 2, kNone, Dsp::kBandwidthOctavesId},
        {9, "Bessel High Pass", 1, 2, kNone},
        {10, "Bessel Low Pass", 0, 2, kNone},
        {11, "Bessel Band Pass", 1, 2, Dsp::kBandwidthHzId},
        {12, "Bessel Band Stop", 1, 2, Dsp::kBandwidthHzId},
        {13, "Elliptic High Pass", 1, 2, Dsp::kRippleId},
        {14, "Elliptic Low Pass", 0, 2, Dsp::kRippleId},
        {15, "Elliptic Band Pass", 1, 2, Dsp::kBandwidthHzId},
        {16, "Elliptic Band Stop", 1, 2, Dsp::kBandwidthHzId},
        {17, "Chebyshev I High Pass", 1, 1, Dsp::kRippleId},
        {18, "Chebyshev I High Pass", 1, 2, Dsp::kRippleId},
        {19, "Chebyshev I High Pass", 1, 3, Dsp::kRippleId},
        {20, "Chebyshev I High Pass", 1, 4, Dsp::kRippleId},
        {21, "Chebyshev I High Pass", 1, 8, Dsp::kRippleId},
        {22, "Chebyshev I Low Pass", 0, 1, Dsp::kRippleId},
        {23, "Chebyshev I Low Pass", 0, 2, Dsp::kRippleId},
        {24, "Chebyshev I Low Pass", 0, 3, Dsp::kRippleId},
        {25, "Chebyshev I Low Pass", 0, 4, Dsp::kRippleId},
        {26, "Chebyshev I Low Pass", 0, 8, Dsp::kRippleId},
        {27, "Butterworth High Pass", 1, 2, kNone},
        {28, "Butterworth Low Pass", 0, 2, kNone},
        {29, "Butterworth Band Pass", 1, 2, Dsp::kBandwidthHzId},
        {30, "Butterworth Band Stop", 1, 2, Dsp::kBandwidthHzId},
        {31, "RBJ Low Pass", 0, kNone, Dsp::kResonanceId},
    };
    FilterBank bank;
    EXPECT_EQ(bank.GetDesignForType(0), nullptr);
    bank.CreateDesigns();
    ASSERT_EQ(bank.designs.size(), static_cast<size_t>(FilterBank::kDesignCount));
    for (const Case& c : cases)
    {
        Dsp::Filter* design = bank.GetDesignForType(c.type);
        ASSERT_NE(design, nullptr) << c.type;
        EXPECT_EQ(design->GetName(), c.design) << c.type;
        EXPECT_EQ(design->GetKind(), c.kind) << c.type;
        EXPECT_EQ(DesignParams::Get(*design, Dsp::kOrderId, kNone), c.order) << c.type;
        const Dsp::FilterParams before = design->params;
        // Types share designs: a value of its own per case makes every write visible.
        SetDesignResonance(design, c.type, 0.01 * (c.type + 2));
        EXPECT_EQ(ChangedParam(before, *design), c.resonanceId) << c.type;
    }
}

TEST(FilterBank, FreshDesignsHoldRecordDefaultsExceptOrder)
{
    FilterBank bank;
    bank.CreateDesigns();
    for (const auto& design : bank.designs)
    {
        EXPECT_EQ(DesignParams::Get(*design, Dsp::kSampleRateId, 0.0), 44100.0) << design->GetName();
        EXPECT_EQ(DesignParams::Get(*design, Dsp::kFrequencyId, 0.0), 2000.0) << design->GetName();
        EXPECT_EQ(DesignParams::Get(*design, Dsp::kRippleId, 0.01), 0.01) << design->GetName();
    }
}

TEST(FilterBank, ResonanceValuesWrittenIntoDesigns)
{
    struct Case { int type; double r; int id; double expected; };
    const Case cases[] = {
        {0, 0.0, Dsp::kResonanceId, 0.0625},
        {0, 1.0, Dsp::kResonanceId, 16.0},
        {0, 0.5, Dsp::kResonanceId, 1.0},
        {0, 7.0, Dsp::kResonanceId, 16.0},
        {2, 0.0, Dsp::kBandwidthOctavesId, 0.0625},
        {29, 1.0, Dsp::kBandwidthHzId, 10.0},
        {29, 0.0, Dsp::kBandwidthHzId, 10.0 * std::sqrt(2204.0)},
        {11, 0.0, Dsp::kBandwidthHzId, 10.0 * std::sqrt(2204.0)},
        {14, 0.0, Dsp::kRippleId, 0.001},
        {14, 1.0, Dsp::kRippleId, 12.0},
        {23, 0.5, Dsp::kRippleId, 6.0005},
    };
    for (const Case& c : cases)
    {
        FilterBank bank;
        bank.CreateDesigns();
        Dsp::Filter* design = bank.GetDesignForType(c.type);
        SetDesignResonance(design, c.type, c.r);
        EXPECT_NEAR(DesignParams::Get(*design, c.id, 0.0), c.expected, 1e-9 * c.expected) << c.type << ", " << c.r;
    }
}

TEST(FilterBank, CutoffIsRaisedTo20HzAndNotLimitedAbove)
{
    struct Case { double hz; double expected; };
    const Case cases[] = {{5.0, 20.0}, {21000.0, 21000.0}, {440.0, 440.0}, {-3.0, 20.0}};
    for (const Case& c : cases)
    {
        FilterBank bank;
        bank.CreateDesigns();
        Dsp::Filter* design = bank.GetDesignForType(28);
        SetDesignCutoff(design, c.hz);
        EXPECT_EQ(DesignParams::Get(*design, Dsp::kFrequencyId, 0.0), c.expected) << c.hz;
    }
}

TEST(FilterBank, NullDesignsAndNonFiniteValuesChangeNothing)
{
    SetDesignCutoff(nullptr, 1000.0);
    SetDesignResonance(nullptr, 0, 0.5);

    FilterBank bank;
    bank.CreateDesigns();
    Dsp::Filter* design = bank.GetDesignForType(0);
    const Dsp::FilterParams before = design->params;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    SetDesignCutoff(design, nan);
    SetDesignCutoff(design, std::numeric_limits<double>::infinity());
    SetDesignResonance(design, 0, nan);
    EXPECT_EQ(design->params, before);
}

TEST(FilterBank, SampleRateReachesEveryDesign)
{
    FilterBank bank;
    bank.CreateDesigns();
    bank.SetSampleRate(96000.0);
    for (const auto& design : bank.designs)
        EXPECT_EQ(DesignParams::Get(*design, Dsp::kSampleRateId, 0.0), 96000.0) << design->GetName();
    bank.SetSampleRate(0.0);
    bank.SetSampleRate(std::numeric_limits<double>::quiet_NaN());
    for (const auto& design : bank.designs)
        EXPECT_EQ(DesignParams::Get(*design, Dsp::kSampleRateId, 0.0), 96000.0) << design->GetName();
}
