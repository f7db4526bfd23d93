#include "dsp/filters/Filter.h"
#include "dsp/units/filters/DesignParams.h"
#include "dsp/units/filters/FilterType.h"
#include "dsp/units/filters/FilterUnit.h"
#include "dsp/units/filters/StateVariableFilter.h"
#include "tests/dsp_units_filters/ImpulseResponse.h"
#include "tests/support/StereoBuffer.h"
#include "tests/support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

using Wezmark::FilterUnit;

namespace
{

constexpr double kRate = 44100.0;
constexpr double kBalanceKeep = 0.9777;

// A unit as the plug-in runs it: the rate set, which paces its balance glide, filter 1 only.
std::unique_ptr<FilterUnit> MakeUnit(int type1, int type2)
{
    auto unit = std::make_unique<FilterUnit>();
    unit->Prepare(kRate, FilterUnit::kInitialFrames);
    unit->SelectFilterType(0, type1);
    unit->SelectFilterType(1, type2);
    unit->SetBalance(0.0);
    unit->EndGlides();
    return unit;
}

StereoProcess ProcessOf(FilterUnit& unit)
{
    return [&unit](double* const* io, int n) { unit.Process(io, n); };
}

// Runs a signal through the unit in blocks; `before` is called with the frame position
// before each block.
template <typename Hook>
StereoBuffer Render(FilterUnit& unit, const std::vector<double>& signal, int blockSize, Hook before)
{
    StereoBuffer buffer(signal, signal);
    for (int start = 0; start < static_cast<int>(signal.size()); start += blockSize)
    {
        before(start);
        double* io[2] = {buffer.left.data() + start, buffer.right.data() + start};
        unit.Process(io, std::min(blockSize, static_cast<int>(signal.size()) - start));
    }
    return buffer;
}

} // namespace

TEST(FilterUnit, SettledMagnitudeOfEveryTypeAtDcCutoffAndNyquist)
{
    // Cutoff 1 kHz, resonance 0.5: Q 1 for the RBJ types, Q 5.53 for the state-variable ones,
    // 6 dB ripple for Chebyshev and Elliptic, a 68 Hz band for the prototype band types.
    struct Case { int type; double dc; double cutoff; double nyquist; };
    const Case cases[] = {
        {0, 1.0, 1.0, 0.0}, {1, 0.0, 1.0, 1.0}, {2, 0.0, 1.0, 0.0}, {3, 0.0, 1.0, 0.0}, {4, 1.0, 0.0, 1.0},
        {5, 1.0, 5.5303, 0.0}, {6, 0.0, 5.5303, 1.0}, {7, 0.0, 1.0, 0.0}, {8, 1.0, 0.0, 1.0},
        {9, 0.0, 0.8321, 1.0}, {10, 1.0, 0.8321, 0.0}, {11, 0.0, 1.0, 0.0}, {12, 1.0, 0.0009, 1.0},
        {13, 0.0192, 0.5012, 0.5010}, {14, 0.5012, 0.5012, 0.0192}, {15, 0.5675, 0.9989, 0.5670},
        {16, 0.9988, 0.5659, 0.9982},
        {17, 0.0, 0.5012, 1.0}, {18, 0.0, 0.5012, 0.5010}, {19, 0.0, 0.5012, 0.9992}, {20, 0.0, 0.5012, 0.5006},
        {21, 0.0, 0.5012, 0.4996},
        {22, 1.0, 0.5012, 0.0}, {23, 0.5012, 0.5012, 0.0}, {24, 1.0, 0.5012, 0.0}, {25, 0.5012, 0.5012, 0.0},
        {26, 0.5012, 0.5012, 0.0},
        {27, 0.0, 0.7071, 1.0}, {28, 1.0, 0.7071, 0.0}, {29, 0.0, 1.0, 0.0}, {30, 1.0, 0.0003, 1.0},
    };
    // The denormal guard alternates at Nyquist and adds a few 1e-4 there.
    const double tolerance = 2e-3;
    for (const Case& c : cases)
    {
        auto unit = MakeUnit(c.type, c.type);
        unit->SetCutoff(1000.0);
        unit->SetResonance(0.5);
        Settle(ProcessOf(*unit), 8192);
        const std::vector<double> impulse = ImpulseResponse(ProcessOf(*unit), 1 << 15);
        const char* name = GetFilterTypeName(c.type);
        EXPECT_NEAR(MagnitudeAt(impulse, 0.0, kRate), c.dc, tolerance) << name;
        EXPECT_NEAR(MagnitudeAt(impulse, 1000.0, kRate), c.cutoff, tolerance) << name;
        EXPECT_NEAR(MagnitudeAt(impulse, kRate / 2.0, kRate), c.nyquist, tolerance) << name;
    }
}

TEST(FilterUnit, BalanceSelectsOneFilterOrGlidesBetweenThem)
{
    const std::vector<double> noise = WhiteNoise(512, 0.5, 7);
    auto onlyFirst = [](int) {};
    struct Case { double balance; double target; int sameSlot; };
    // With the balance at an end, the other slot's type does not matter.
    const Case cases[] = {{0.0, 0.0, 0}, {1.0, 1.0, 1}};
    for (const Case& c : cases)
    {
        auto mixed = MakeUnit(28, 27);
        auto reference = MakeUnit(c.sameSlot == 0 ? 28 : 30, c.sameSlot == 0 ? 30 : 27);
        for (FilterUnit* unit : {mixed.get(), reference.get()})
        {
            unit->SetCutoff(800.0);
            unit->SetBalance(c.balance);
            unit->EndGlides();
            unit->SetBalance(c.target);
        }
        EXPECT_EQ(Render(*mixed, noise, 128, onlyFirst).left, Render(*reference, noise, 128, onlyFirst).left);
    }

    auto unit = MakeUnit(0, 18);
    unit->SetBalance(1.0);
    StereoBuffer block(100);
    unit->Process(block.Io(), 100);
    EXPECT_NEAR(unit->Balance(), 1.0 - std::pow(kBalanceKeep, 100), 1e-12);
}

TEST(FilterUnit, FreshUnitStartsOnFilterOneAndDriftsToFilterTwo)
{
    FilterUnit unit;
    EXPECT_EQ(unit.Balance(), 0.0);
    EXPECT_EQ(unit.BalanceTarget(), 1.0);
    EXPECT_EQ(unit.Design(0)->GetName(), "RBJ Low Pass");
    EXPECT_EQ(unit.Design(1)->GetName(), "Chebyshev I High Pass");
    EXPECT_EQ(DesignParams::Get(*unit.Design(0), Dsp::kFrequencyId, 0.0), 20.0);
    EXPECT_EQ(DesignParams::Get(*unit.Design(1), Dsp::kOrderId, 0.0), 2.0);
    StereoBuffer block(10);
    unit.Process(block.Io(), 10);
    EXPECT_NEAR(unit.Balance(), 1.0 - std::pow(0.99, 10), 1e-12);
}

TEST(FilterUnit, TransitionSpeedSetsTheCutoffGlide)
{
    // Setting the same cutoff again restarts the glide: before the glide has run out that
    // bends the output, afterwards it changes nothing. So the glide length shows in the output.
    struct Case { int speed; int expectedLength; };
    const Case cases[] = {{0, 2048}, {1, 512}, {2, 256}, {5, 512}};
    const std::vector<double> noise = WhiteNoise(4096, 0.5, 3);
    for (const Case& c : cases)
    {
        const auto render = [&](int reselectAt) {
            auto unit = MakeUnit(0, 0);
            unit->SetCutoff(300.0);
            Settle(ProcessOf(*unit), 4096);
            unit->SetTransitionSpeed(c.speed);
            EXPECT_EQ(unit->TransitionLength(), c.expectedLength);
            unit->SetCutoff(1000.0);
            return Render(*unit, noise, 1, [&](int frame) {
                       if (frame == reselectAt)
                           unit->SetCutoff(1000.0);
                   }).left;
        };
        const std::vector<double> plain = render(-1);
        EXPECT_NE(render(c.expectedLength - 1), plain) << c.speed;
        EXPECT_EQ(render(c.expectedLength), plain) << c.speed;
    }
}

TEST(FilterUnit, BypassFadesAgainstTheDriveThenPassesTheBlockUntouched)
{
    auto unit = MakeUnit(28, 28);
    unit->SetCutoff(200.0);
    Settle(ProcessOf(*unit), 2048);
    unit->SetBypass(true);
    EXPECT_EQ(unit->fade, 0.998);
    const std::vector<double> noise = WhiteNoise(1024, 0.5, 11);
    StereoBuffer fading(noise, noise);
    unit->Process(fading.Io(), 1024);
    EXPECT_EQ(unit->fade, 0.0);
    EXPECT_NE(fading.left, noise);
    EXPECT_EQ(std::vector<double>(fading.left.begin() + 500, fading.left.end()),
              std::vector<double>(noise.begin() + 500, noise.end()));

    StereoBuffer bypassed(noise, noise);
    unit->Process(bypassed.Io(), 1024);
    EXPECT_EQ(bypassed.left, noise);
    EXPECT_EQ(bypassed.right, noise);
}

TEST(FilterUnit, BlockLongerThanTheWorkBuffersPassesUnchanged)
{
    auto unit = MakeUnit(28, 28);
    const std::vector<double> noise = WhiteNoise(1025, 0.5, 5);
    StereoBuffer block(noise, noise);
    unit->Process(block.Io(), 1025);
    EXPECT_EQ(block.left, noise);

    unit->Prepare(kRate, 2048);
    unit->Process(block.Io(), 1025);
    EXPECT_NE(block.left, noise);
}

TEST(FilterUnit, CutoffReachesDesignsAndStateVariableFiltersWithTheirOwnLimits)
{
    struct Case { double rate; double hz; double design; double stateVariable; };
    const Case cases[] = {
        {44100.0, 21000.0, 21000.0, 20000.0},
        {22050.0, 21000.0, 21000.0, 10804.5},
        {44100.0, 5.0, 20.0, 20.0},
    };
    for (const Case& c : cases)
    {
        FilterUnit unit;
        unit.Prepare(c.rate, FilterUnit::kInitialFrames);
        unit.SetCutoff(c.hz);
        EXPECT_EQ(unit.Cutoff(), c.hz);
        EXPECT_EQ(DesignParams::Get(*unit.Design(0), Dsp::kFrequencyId, 0.0), c.design);
        EXPECT_EQ(DesignParams::Get(*unit.Design(1), Dsp::kFrequencyId, 0.0), c.design);
        for (const FilterBank* bank : {&unit.Bank(0), &unit.Bank(1)})
        {
            EXPECT_EQ(bank->stateVariableLowPass.GetCutoff(), c.stateVariable);
            EXPECT_EQ(bank->stateVariableBandStop.GetCutoff(), c.stateVariable);
        }
    }
}

TEST(FilterUnit, StateVariableTypeRunsAtTheLastCutoffAndResonance)
{
    auto unit = MakeUnit(0, 0);
    unit->SetCutoff(2500.0);
    unit->SetResonance(0.3);
    unit->SelectFilterType(0, 5);
    // Nothing to crossfade from: the state-variable filter alone is heard.
    unit->Reset();
    Wezmark::StateVariableFilter<0, 2> reference;
    reference.SetSampleRate(kRate);
    reference.SetCutoff(2500.0);
    reference.SetResonance(0.3);

    const std::vector<double> noise = WhiteNoise(256, 0.5, 13);
    StereoBuffer viaUnit(noise, noise);
    StereoBuffer direct(noise, noise);
    unit->Process(viaUnit.Io(), 256);
    reference.ProcessBlock(direct.Io(), 256);
    EXPECT_EQ(viaUnit.left, direct.left);
    EXPECT_EQ(viaUnit.right, direct.right);
}

TEST(FilterUnit, ResetRecoversStateVariableFiltersFromNonFiniteSamples)
{
    auto unit = MakeUnit(5, 8);
    StereoBuffer poisoned(4, std::numeric_limits<double>::quiet_NaN());
    unit->Process(poisoned.Io(), 4);
    unit->Reset();
    const std::vector<double> noise = WhiteNoise(64, 0.5, 17);
    StereoBuffer block(noise, noise);
    unit->Process(block.Io(), 64);
    for (double sample : block.left)
        EXPECT_TRUE(std::isfinite(sample));
}

TEST(FilterUnit, NonFiniteSettingsAreIgnored)
{
    auto unit = MakeUnit(0, 5);
    unit->SetCutoff(1500.0);
    unit->SetResonance(0.4);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    unit->SetCutoff(nan);
    unit->SetResonance(std::numeric_limits<double>::infinity());
    EXPECT_EQ(unit->Cutoff(), 1500.0);
    EXPECT_EQ(unit->Resonance(), 0.4);
    EXPECT_EQ(DesignParams::Get(*unit->Design(0), Dsp::kFrequencyId, 0.0), 1500.0);
    EXPECT_EQ(unit->Bank(1).stateVariableLowPass.GetCutoff(), 1500.0);
}

TEST(FilterUnit, SampleRateRiseRestoresTheStateVariableCutoff)
{
    auto unit = MakeUnit(5, 5);
    unit->SetCutoff(15000.0);
    unit->Prepare(22050.0, FilterUnit::kInitialFrames);
    EXPECT_EQ(unit->Bank(0).stateVariableLowPass.GetCutoff(), 10804.5);
    unit->Prepare(kRate, FilterUnit::kInitialFrames);
    EXPECT_EQ(unit->Bank(0).stateVariableLowPass.GetCutoff(), 15000.0);
}

TEST(FilterUnit, SelectingATypeCarriesCutoffResonanceAndTransitionLength)
{
    auto unit = MakeUnit(0, 0);
    unit->SetCutoff(700.0);
    unit->SetResonance(1.0);
    unit->SetTransitionSpeed(0);
    unit->SelectFilterType(1, 29);
    EXPECT_EQ(unit->FilterType(1), 29);
    EXPECT_EQ(unit->Design(1), unit->Bank(1).GetDesignForType(29));
    EXPECT_EQ(DesignParams::Get(*unit->Design(1), Dsp::kFrequencyId, 0.0), 700.0);
    EXPECT_NEAR(DesignParams::Get(*unit->Design(1), Dsp::kBandwidthHzId, 0.0), 10.0, 1e-9);

    unit->SelectFilterType(2, 7);
    EXPECT_EQ(unit->FilterType(0), 0);
    EXPECT_EQ(unit->FilterType(1), 29);
}

TEST(FilterUnit, FirstSelectionOfAHighOrderTypeGlidesWithoutABurst)
{
    // The design glides only its cutoff and resonance: its order is its own from the start.
    struct Case { int type; double resonance; };
    const Case cases[] = {{26, 0.0}, {26, 1.0}, {21, 0.0}, {21, 1.0}, {25, 1.0}};
    for (const Case& c : cases)
    {
        auto unit = MakeUnit(c.type, c.type);
        unit->SetResonance(c.resonance);
        unit->SetCutoff(1000.0);
        const std::vector<double> noise = WhiteNoise(4096, 0.5, 19);
        const StereoBuffer out = Render(*unit, noise, 512, [](int) {});
        double peak = 0.0;
        for (double sample : out.left)
            peak = std::max(peak, std::fabs(sample));
        EXPECT_LT(peak, 1.0) << GetFilterTypeName(c.type) << ", resonance " << c.resonance;
    }
}

// A type change crossfades from the filter the slot had: no step much larger than those of
// the old or the new filter's settled output (the incoming filter starts from its own memory,
// so it rings in a little). A change during a crossfade waits for its end, and
// the slot then plays the type selected last.
TEST(FilterUnit, TypeChangeCrossfadesWithoutAJump)
{
    struct Case
    {
        const char* name;
        int from;
        int to;
        int last;
    };
    constexpr int kBlock = 64;
    constexpr int kFrames = 16384;
    constexpr int kChangeAt = 8192 + 40;
    std::vector<double> sine(kFrames);
    for (int i = 0; i < kFrames; ++i)
        sine[i] = 0.5 * std::sin(2.0 * 3.141592653589793 * 150.0 * i / kRate);
    const auto largestStep = [](const std::vector<double>& samples, int from, int to) {
        double largest = 0.0;
        for (int i = from + 1; i < to; ++i)
            largest = std::max(largest, std::fabs(samples[i] - samples[i - 1]));
        return largest;
    };
    for (const Case c : {Case{"one change", 25, 0, 0}, Case{"second change during the crossfade", 25, 0, 20},
                         Case{"to a state-variable type", 12, 5, 5}})
    {
        SCOPED_TRACE(c.name);
        const auto settledOn = [&](int type) {
            auto unit = MakeUnit(type, 0);
            unit->SetCutoff(400.0);
            unit->SetResonance(0.6);
            unit->Reset();
            return Render(*unit, sine, kBlock, [](int) {}).left;
        };
        auto unit = MakeUnit(c.from, 0);
        unit->SetCutoff(400.0);
        unit->SetResonance(0.6);
        unit->Reset();
        const std::vector<double> out = Render(*unit, sine, kBlock, [&](int frame) {
                                            if (frame == kChangeAt - kChangeAt % kBlock)
                                                unit->SelectFilterType(0, c.to);
                                            if (frame == kChangeAt - kChangeAt % kBlock + 4 * kBlock)
                                                unit->SelectFilterType(0, c.last);
                                        }).left;
        double allowed = 0.0;
        for (int type : {c.from, c.to, c.last})
            allowed = std::max(allowed, 1.5 * largestStep(settledOn(type), kFrames / 4, kFrames));
        EXPECT_LT(largestStep(out, kFrames / 4, kFrames), allowed);
        const std::vector<double> last = settledOn(c.last);
        for (int i = kFrames - 100; i < kFrames; ++i)
            ASSERT_NEAR(out[i], last[i], 1e-6) << i;
    }
}

// A filter that the settled balance leaves out sits out; when the balance glides back to it,
// or its type changed meanwhile, it must sound as if it had run all along. The reference's
// balance stays a hair inside the ends, which never lets a filter sit out.
TEST(FilterUnit, FilterLeftOutByTheBalanceComesBackAsIfItHadRunAllAlong)
{
    constexpr int kBlock = 256;
    constexpr int kFrames = 32768;
    constexpr int kBackAt = 16384;
    constexpr double kHair = 1e-300;
    struct Case
    {
        const char* name;
        double from;
        double to;
        int typeWhileOut;
    };
    const Case cases[] = {
        {"filter 2 comes in", 0.0, 1.0, -1},
        {"filter 1 comes in", 1.0, 0.3, -1},
        {"filter 2 comes in as another type", 0.0, 0.5, 14},
        {"filter 2 comes in as a state-variable type", 0.0, 0.5, 6},
    };
    std::vector<double> signal = WhiteNoise(kFrames, 0.3, 9);
    for (int i = 0; i < kFrames; ++i)
        signal[i] += 0.4 * std::sin(2.0 * 3.141592653589793 * 90.0 * i / kRate);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const auto render = [&](double hair) {
            auto unit = MakeUnit(3, 0);
            unit->SetCutoff(700.0);
            unit->SetResonance(0.4);
            const double start = c.from == 0.0 ? hair : 1.0 - 1e-16 * (hair > 0.0);
            unit->SetBalance(start);
            unit->EndGlides();
            return Render(*unit, signal, kBlock, [&](int frame) {
                if (frame == kBackAt / 2 && c.typeWhileOut >= 0)
                    unit->SelectFilterType(c.from == 0.0 ? 1 : 0, c.typeWhileOut);
                if (frame == kBackAt)
                    unit->SetBalance(c.to);
            });
        };
        const StereoBuffer skipping = render(0.0);
        const StereoBuffer running = render(kHair);
        double worst = 0.0;
        for (int i = 0; i < kFrames; ++i)
            worst = std::max({worst, std::fabs(skipping.left[i] - running.left[i]),
                              std::fabs(skipping.right[i] - running.right[i])});
        EXPECT_LT(worst, 1e-7);
    }
}
