#include "dsp/units/curves/BuiltinCurves.h"
#include "dsp/units/curves/ShapeCatalogue.h"
#include "dsp/units/path/Distortion.h"
#include "tests/support/StereoBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace
{

using Wezmark::Distortion;

const Wezmark::BuiltinCurves& Builtins()
{
    return *Wezmark::BuiltinCurves::Shared();
}

// A 100 Hz sine at half scale (at 48 kHz) from frame `from` on, starting at a peak.
StereoBuffer SineBlock(int32_t frames, int32_t from)
{
    StereoBuffer block(frames);
    for (int32_t i = 0; i < frames; ++i)
        block.left[i] = block.right[i] = 0.5 * std::sin(6.283185307179586 * (from + i + 120) / 480.0);
    return block;
}

// A unit whose curves are still the identity ramps and whose amount is not smoothed.
struct RawUnit
{
    RawUnit() : unit(Builtins())
    {
        unit.smoothKeep = 0.0;
        unit.smoothTake = 1.0;
    }

    void Select(CurveId id)
    {
        unit.currentId = id;
        unit.current = &unit.curves[id];
    }

    Distortion unit;
};

TEST(Distortion, GainFollowsModeCurveAndDriveLevel)
{
    struct Case
    {
        uint32_t mode;
        CurveId id;
        uint32_t filterMode;
        double gainAtHalfAmount;
    };
    const double driven = 0.5 * 22.0 + 1.0;
    const Case cases[] = {
        {0, 0, 2, 1.0},
        {0, 3, 1, 1.0},
        {7, 1, 1, 1.0},
        {1, 0, 2, driven},
        {1, 0, 0, driven},
        {1, 1, 2, driven * 0.5},
        {1, 2, 2, driven * 0.5},
        {1, 4, 2, driven * 0.5},
        {1, 3, 1, driven * 0.777 * 0.25},
        {1, 5, 2, driven * 0.777},
        {1, 6, 2, driven * 0.777},
        {1, 10, 2, driven * 0.777},
        {1, 12, 1, driven * 0.25},
        {2, 80, 2, driven},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " id " << c.id << " filter " << c.filterMode);
        RawUnit raw;
        raw.Select(c.id);
        raw.unit.mode = c.mode;
        raw.unit.filterMode = c.filterMode;
        raw.unit.amount = 0.5;
        // Below and above the clamp of the driven curve output.
        const double inputs[2] = {0.01, 0.9};
        StereoBuffer block(std::vector<double>{inputs[0], inputs[1]}, std::vector<double>{-inputs[0], -inputs[1]});
        raw.unit.BeginBlock();
        raw.unit.Process(block.Io(), 2);
        for (int i = 0; i < 2; ++i)
        {
            double wet = std::clamp(c.gainAtHalfAmount * inputs[i], -1.0, 1.0);
            if (c.mode == Distortion::kDriveAndFold)
                wet = 2.0 * std::sin(wet * 1.5707963267948966);
            const double expected = 0.25 * wet + 0.75 * inputs[i];
            EXPECT_NEAR(block.left[i], expected, 1e-12) << inputs[i];
            EXPECT_NEAR(block.right[i], -expected, 1e-12) << inputs[i];
        }
        EXPECT_EQ(raw.unit.smoothedAmount, 0.5);
    }
}

TEST(Distortion, AmountZeroOrBypassWithNothingToGlideOutLeavesTheBlockUntouched)
{
    struct Case
    {
        const char* name;
        double amount;
        bool bypassed;
    };
    for (const Case c : {Case{"amount zero", 0.0, false}, Case{"bypassed", 0.7, true}})
    {
        SCOPED_TRACE(c.name);
        Distortion unit(Builtins());
        unit.Init();
        unit.amount = c.amount;
        unit.bypassed = c.bypassed;
        StereoBuffer block(std::vector<double>{0.3, std::nan("")}, std::vector<double>{-0.6, 2.0});
        unit.BeginBlock();
        unit.Process(block.Io(), 2);
        EXPECT_EQ(block.left[0], 0.3);
        EXPECT_TRUE(std::isnan(block.left[1]));
        EXPECT_EQ(block.right[1], 2.0);
        EXPECT_EQ(unit.smoothedAmount, 0.0);
    }
}

// Set to 0 or bypassed mid-stream, the unit glides out instead of jumping to the dry signal,
// then passes blocks bit for bit.
TEST(Distortion, AmountZeroOrBypassGlidesOutWithoutAJump)
{
    struct Case
    {
        const char* name;
        double amount;
        bool bypassed;
    };
    constexpr int32_t kFrames = 1000;
    const auto sine = [](int32_t from) { return SineBlock(kFrames, from); };
    for (const Case c : {Case{"amount zero", 0.0, false}, Case{"bypassed", 0.5, true}})
    {
        SCOPED_TRACE(c.name);
        Distortion unit(Builtins());
        unit.Init();
        unit.SelectCurve(22.0 / 80.0);
        unit.amount = 0.5;
        StereoBuffer previous = sine(0);
        unit.BeginBlock();
        unit.Process(previous.Io(), kFrames);
        // No step larger than those of the distorted or the dry signal.
        double allowed = 0.0;
        for (const StereoBuffer& signal : {previous, sine(0)})
            for (int32_t i = 1; i < kFrames; ++i)
                allowed = std::max(allowed, 1.1 * std::fabs(signal.left[i] - signal.left[i - 1]));
        unit.amount = c.amount;
        unit.bypassed = c.bypassed;
        double largestJump = 0.0;
        for (int32_t block = 1; block <= 4; ++block)
        {
            StereoBuffer out = sine(block * kFrames);
            unit.BeginBlock();
            unit.Process(out.Io(), kFrames);
            largestJump = std::max(largestJump, std::fabs(out.left[0] - previous.left.back()));
            for (int32_t i = 1; i < kFrames; ++i)
                largestJump = std::max(largestJump, std::fabs(out.left[i] - out.left[i - 1]));
            previous = out;
        }
        EXPECT_LT(largestJump, allowed);
        EXPECT_EQ(unit.smoothedAmount, 0.0);
        EXPECT_EQ(previous.left, sine(4 * kFrames).left);
    }
}

// A program change switches curve, mode or drive level while the amount glides; switched at
// once, a louder shaping would meet the old amount. The unit crossfades instead, and then
// sounds as one that always had the new setting.
TEST(Distortion, ShapingChangeCrossfadesWithoutAJump)
{
    struct Case
    {
        const char* name;
        CurveId id;
        uint32_t mode;
        uint32_t filterMode;
    };
    const Case cases[] = {
        {"curve", 11, Distortion::kDrive, Distortion::kFullDrive},
        {"mode", 22, Distortion::kDriveAndFold, Distortion::kFullDrive},
        {"drive level", 22, Distortion::kDrive, Distortion::kQuarterDrive},
    };
    constexpr int32_t kFrames = 1000;
    constexpr int32_t kBlocks = 4;
    const auto sine = [](int32_t from) { return SineBlock(kFrames, from); };
    const auto largestStep = [](const StereoBuffer& signal) {
        double largest = 0.0;
        for (int32_t i = 1; i < signal.Frames(); ++i)
            largest = std::max(largest, std::fabs(signal.left[i] - signal.left[i - 1]));
        return largest;
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Distortion unit(Builtins());
        Distortion changedFromTheStart(Builtins());
        for (Distortion* d : {&unit, &changedFromTheStart})
        {
            d->Init();
            d->SelectCurve(22.0 / 80.0);
            d->amount = 0.5;
        }
        changedFromTheStart.SelectCurve(c.id / 80.0);
        changedFromTheStart.mode = c.mode;
        changedFromTheStart.filterMode = c.filterMode;
        StereoBuffer previous = sine(0);
        unit.BeginBlock();
        unit.Process(previous.Io(), kFrames);
        StereoBuffer expected = sine(0);
        changedFromTheStart.BeginBlock();
        changedFromTheStart.Process(expected.Io(), kFrames);
        const double allowed = 1.1 * std::max(largestStep(previous), largestStep(expected));

        unit.SelectCurve(c.id / 80.0);
        unit.mode = c.mode;
        unit.filterMode = c.filterMode;
        double largestJump = 0.0;
        for (int32_t block = 1; block <= kBlocks; ++block)
        {
            StereoBuffer out = sine(block * kFrames);
            unit.BeginBlock();
            unit.Process(out.Io(), kFrames);
            expected = sine(block * kFrames);
            changedFromTheStart.BeginBlock();
            changedFromTheStart.Process(expected.Io(), kFrames);
            largestJump = std::max({largestJump, std::fabs(out.left[0] - previous.left.back()), largestStep(out)});
            previous = out;
        }
        EXPECT_LT(largestJump, allowed);
        EXPECT_EQ(previous.left, expected.left);
    }
}

TEST(Distortion, SmoothedAmountGlidesOnFromWhereItStopped)
{
    Distortion unit(Builtins());
    unit.Init();
    unit.smoothedAmount = 0.4;
    unit.amount = 1.0;
    StereoBuffer block(1, 0.1);
    unit.BeginBlock();
    unit.Process(block.Io(), 1);
    EXPECT_DOUBLE_EQ(unit.smoothedAmount, (1.0 - 0.9777) * 1.0 + 0.9777 * 0.4);
}

TEST(Distortion, SelectCurveRoundsAndClamps)
{
    Distortion unit(Builtins());
    unit.Init();
    struct Case
    {
        double v;
        CurveId id;
    };
    for (const Case c : {Case{1.0, 80}, Case{0.0124, 1}, Case{-3.0, 0}, Case{0.5, 40}, Case{7.0, 80},
                         Case{std::nan(""), 0}, Case{std::numeric_limits<double>::infinity(), 80}})
    {
        unit.SelectCurve(c.v);
        EXPECT_EQ(unit.currentId, c.id) << c.v;
        EXPECT_EQ(unit.current, &unit.curves[c.id]) << c.v;
    }
}

TEST(Distortion, InterpolationAndPolarityReachEveryMappedCurveOnly)
{
    struct Case
    {
        double v;
        uint32_t interpolation;
        uint32_t polarity;
    };
    for (const Case c : {Case{0.0, 0, 0}, Case{0.25, 1, 1}, Case{0.5, 2, 1}, Case{1.0, 4, 2}, Case{1.75, 7, 2},
                         Case{-1.0, 0, 0}, Case{std::nan(""), 0, 0}})
    {
        SCOPED_TRACE(c.v);
        Distortion unit(Builtins());
        unit.Init();
        unit.SetInterpolation(c.v);
        unit.SetPolarity(c.v);
        for (const DistortionCurve& curve : unit.curves)
        {
            EXPECT_EQ(curve.interpolation, c.interpolation);
            EXPECT_EQ(curve.polarity, c.polarity);
        }
        EXPECT_EQ(unit.compressorCurve.interpolation, 4u);
        EXPECT_EQ(unit.storedCurve.polarity, 0u);
    }
}

TEST(Distortion, InitLoadsLibraryCurvesNamesAndSmoothing)
{
    Distortion unit(Builtins());
    unit.Init();
    EXPECT_EQ(unit.current, &unit.curves[0]);
    EXPECT_EQ(unit.smoothKeep, 0.9777);
    EXPECT_EQ(unit.smoothTake, 1.0 - 0.9777);
    struct Case
    {
        CurveId id;
        int slot;
    };
    for (const Case c : {Case{1, 1}, Case{7, 18}, Case{9, 34}, Case{59, 60}, Case{62, 78}, Case{80, 80}})
    {
        SCOPED_TRACE(c.id);
        const std::vector<double>& slot = Builtins().Library().slots[c.slot].points;
        for (int i = 0; i < 2048; i += 97)
            EXPECT_EQ(unit.curves[c.id].Points()[i], std::clamp(slot[i], -1.0, 1.0)) << i;
        EXPECT_EQ(unit.GetBuiltinCurveData(c.id), slot.data());
        EXPECT_EQ(unit.curves[c.id].name, GetDistortionShapeName(c.id));
    }
    EXPECT_EQ(unit.curves[0].name, "Linear");
    EXPECT_EQ(unit.curves[0].Points()[0], -1.0);
    EXPECT_EQ(unit.GetBuiltinCurveData(0), Builtins().Library().slots[0].points.data());
    EXPECT_EQ(unit.GetBuiltinCurveData(81), Builtins().Library().slots[0].points.data());
    EXPECT_EQ(unit.compressorCurve.Points()[2047], std::clamp(Builtins().Library().slots[81].points[2047], -1.0, 1.0));
    EXPECT_EQ(unit.storedCurve.Points()[1024], Builtins().Library().slots[0].points[1024]);
}

TEST(Distortion, RestoreCurveCopiesTheStoredCurveSanitised)
{
    Distortion unit(Builtins());
    unit.Init();
    unit.SelectCurve(0.5);
    unit.ReserveStorage();
    unit.storedCurve.EditablePoints()[0] = std::numeric_limits<double>::quiet_NaN();
    unit.storedCurve.EditablePoints()[1] = 3.0;
    unit.RestoreCurve();
    EXPECT_EQ(unit.current->Points()[0], 0.0);
    EXPECT_EQ(unit.current->Points()[1], 1.0);
    EXPECT_EQ(unit.current->Points()[2047], 1.0);
    EXPECT_EQ(unit.curves[41].Points()[0], std::clamp(Builtins().Library().slots[30].points[0], -1.0, 1.0));
}

TEST(Distortion, CopyCurveFromTakesTheOtherCurrentCurve)
{
    Distortion source(Builtins());
    source.Init();
    source.SelectCurve(20.0 / 80.0);
    source.current->interpolation = 2;
    Distortion target(Builtins());
    target.Init();
    target.CopyCurveFrom(source);
    EXPECT_EQ(target.current->name, source.current->name);
    EXPECT_EQ(target.current->interpolation, 2u);
    EXPECT_TRUE(std::equal(source.current->Points(), source.current->Points() + 2048,
                           target.current->Points()));
    EXPECT_EQ(target.currentId, 0u);
}

TEST(Distortion, CurveActionsWorkOnTheCurrentCurveWithItsOwnSources)
{
    Distortion unit(Builtins());
    unit.Init();
    unit.SelectCurve(9.0 / 80.0);
    unit.ReserveStorage();
    const std::vector<double>& slot = Builtins().Library().slots[34].points;
    struct Case
    {
        uint32_t action;
        double expectedFirst;
    };
    const double restored = std::clamp(slot[0], -1.0, 1.0);
    for (const Case c : {Case{11, -restored}, Case{20, -restored}, Case{1000, -restored}, Case{0, restored},
                         Case{19, -1.0}})
    {
        unit.ApplyCurveAction(c.action);
        EXPECT_EQ(unit.current->Points()[0], c.expectedFirst) << c.action;
    }
    unit.ApplyCurveAction(2);
    EXPECT_DOUBLE_EQ(unit.current->Points()[0],
                     1.4 * unit.compressorCurve.Lookup(-1.0, unit.compressorCurve.Points()));
    EXPECT_EQ(unit.curves[0].Points()[0], -1.0);
}

TEST(Distortion, CurveTextRoundTripsThroughTheCurrentCurve)
{
    Distortion source(Builtins());
    source.Init();
    source.SelectCurve(33.0 / 80.0);
    std::string text;
    source.CurveToText(text);
    Distortion target(Builtins());
    target.Init();
    target.SelectCurve(0.0);
    target.ReserveStorage();
    ASSERT_TRUE(target.CurveFromText(text));
    for (int i = 0; i < 2048; ++i)
        ASSERT_NEAR(target.current->Points()[i], source.current->Points()[i], 5e-11) << i;
    EXPECT_FALSE(target.CurveFromText("0.5,0.25"));
}

// Unedited, every curve reads the tables all instances share. An edit gives the current curve
// points of its own, from the spare that ReserveStorage made; without one it waits.
TEST(Distortion, CurvesReadTheSharedTablesUntilAnEditGivesOneItsOwn)
{
    Distortion unit(Builtins());
    unit.Init();
    for (CurveId id = 0; id < kCurveIdCount; ++id)
        ASSERT_EQ(unit.curves[id].SharedTables(), &Builtins().ForId(id)) << id;
    EXPECT_EQ(unit.storedCurve.SharedTables(), &Builtins().ForId(0));

    unit.SelectCurve(5.0 / 80.0);
    const double first = unit.current->Points()[0];
    EXPECT_FALSE(unit.CanEditCurrent());
    unit.ApplyCurveAction(11);
    EXPECT_EQ(unit.current->SharedTables(), &Builtins().ForId(5));

    unit.ReserveStorage();
    EXPECT_TRUE(unit.CanEditCurrent());
    unit.ApplyCurveAction(11);
    EXPECT_EQ(unit.current->SharedTables(), nullptr);
    EXPECT_EQ(unit.current->Points()[0], -first);
    EXPECT_EQ(Builtins().ForId(5).points[0], first);
    // The spare went to curve 5; curve 6 has no room until the next reservation.
    unit.SelectCurve(6.0 / 80.0);
    EXPECT_FALSE(unit.CanEditCurrent());
    unit.SelectCurve(5.0 / 80.0);
    EXPECT_TRUE(unit.CanEditCurrent());
}

// A loaded state's curve lands on the current curve without a spare: the built-in points of a
// curve are read from its tables, points of its own take the spare or else the stored
// curve's arrays.
TEST(Distortion, RestoreCurveNeedsNoSpare)
{
    constexpr CurveId kCurrent = 20;
    constexpr CurveId kOther = 30;
    const std::vector<double>& ownTables = Builtins().ForId(kCurrent).points;
    const std::vector<double>& otherTables = Builtins().ForId(kOther).points;
    std::vector<double> edited(ownTables);
    edited[100] = 2.0;
    edited[101] = -0.25;
    std::vector<double> cleaned(edited);
    cleaned[100] = 1.0;
    enum Reads
    {
        kCurrentTables,
        kOtherTables,
        kPointsOfItsOwn,
    };
    const struct
    {
        const char* name;
        bool reserve;
        const std::vector<double>* loaded;
        CurveId loadedId;
        bool currentEdited;
        Reads reads;
        const std::vector<double>* expected;
    } cases[] = {
        {"its built-in points", false, &ownTables, kCurrent, false, kCurrentTables, &ownTables},
        {"another curve's built-in points", false, &otherTables, kOther, false, kOtherTables, &otherTables},
        {"its built-in points, stored as points", true, &ownTables, kCurrent, false, kCurrentTables, &ownTables},
        {"edited points, with a spare", true, &edited, kCurrent, false, kPointsOfItsOwn, &cleaned},
        {"edited points, onto an edited curve", true, &edited, kCurrent, true, kPointsOfItsOwn, &cleaned},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Distortion unit(Builtins());
        unit.Init();
        unit.SelectCurve(kCurrent / 80.0);
        if (c.currentEdited)
        {
            unit.ReserveStorage();
            unit.ApplyCurveAction(11);
        }
        if (c.reserve)
            unit.ReserveStorage();
        ASSERT_TRUE(unit.HoldLoadedCurve(c.loaded->data(), c.loadedId));
        unit.RestoreCurve();
        const SharedCurveTables* tables = unit.current->SharedTables();
        switch (c.reads)
        {
        case kCurrentTables:
            EXPECT_EQ(tables, &Builtins().ForId(kCurrent));
            break;
        case kOtherTables:
            EXPECT_EQ(tables, &Builtins().ForId(kOther));
            break;
        case kPointsOfItsOwn:
            EXPECT_EQ(tables, nullptr);
            break;
        }
        EXPECT_TRUE(std::equal(c.expected->begin(), c.expected->end(), unit.current->Points()));
    }

    // Without a spare the current curve takes the stored curve's arrays, which then reads the
    // identity ramp until the next state.
    Distortion unit(Builtins());
    unit.Init();
    unit.SelectCurve(kCurrent / 80.0);
    unit.ReserveStorage();
    unit.SelectCurve(kOther / 80.0);
    unit.ApplyCurveAction(11);
    unit.SelectCurve(kCurrent / 80.0);
    ASSERT_FALSE(unit.CanEditCurrent());
    ASSERT_TRUE(unit.HoldLoadedCurve(edited.data(), kCurrent));
    unit.RestoreCurve();
    EXPECT_EQ(unit.current->SharedTables(), nullptr);
    EXPECT_TRUE(std::equal(cleaned.begin(), cleaned.end(), unit.current->Points()));
    EXPECT_EQ(unit.storedCurve.SharedTables(), &Builtins().ForId(0));
}

// The stored curve reads shared tables until a reservation; points not built in then need a
// spare, and without one the state's curve is refused whole.
TEST(Distortion, HoldLoadedCurveWithoutRoomChangesNothing)
{
    Distortion unit(Builtins());
    unit.Init();
    std::vector<double> edited(Builtins().ForId(12).points);
    edited[0] = 0.5;
    EXPECT_FALSE(unit.CanHoldLoadedCurve(edited.data(), 12));
    EXPECT_FALSE(unit.HoldLoadedCurve(edited.data(), 12));
    EXPECT_EQ(unit.storedCurve.SharedTables(), &Builtins().ForId(0));
    // The same points as the built-in ones of the state's own curve need no room.
    EXPECT_FALSE(unit.CanHoldLoadedCurve(edited.data(), 13));
    EXPECT_TRUE(unit.HoldLoadedCurve(Builtins().ForId(12).points.data(), 12));
    EXPECT_EQ(unit.storedCurve.SharedTables(), &Builtins().ForId(12));
    unit.ReserveStorage();
    EXPECT_TRUE(unit.HoldLoadedCurve(edited.data(), 12));
    EXPECT_EQ(unit.storedCurve.Points()[0], 0.5);
}

TEST(Distortion, BlockLongerThanTheWorkPairPassesUnchanged)
{
    Distortion unit(Builtins());
    unit.Init();
    unit.amount = 1.0;
    StereoBuffer block(1025, 0.5);
    unit.BeginBlock();
    unit.Process(block.Io(), 1025);
    EXPECT_EQ(block.left.back(), 0.5);
    EXPECT_EQ(unit.smoothedAmount, 0.0);
}

} // namespace
