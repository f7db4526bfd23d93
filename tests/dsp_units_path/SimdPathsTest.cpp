#include "dsp/units/SinPiPolynomial.h"
#include "dsp/units/SmootherStep.h"
#include "dsp/units/curves/BuiltinCurves.h"
#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/SharedRandom.h"
#include "dsp/units/path/Distortion.h"
#include "dsp/units/path/DeadZoneGate.h"
#include "dsp/units/path/DistortionWide.h"
#include "dsp/units/path/DynShaper.h"
#include "dsp/units/path/Oversampler.h"
#include "dsp/units/path/Quantizer.h"
#include "dsp/units/path/Saturator.h"
#include "tests/support/StereoBuffer.h"
#include "tests/support/SimdLevels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace
{

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Noise over a little more than full scale, with the values that need care among it.
StereoBuffer Signal(int32_t frames, double amplitude, uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-amplitude, amplitude);
    StereoBuffer buffer(frames);
    for (int32_t i = 0; i < frames; ++i)
    {
        buffer.left[i] = value(random);
        buffer.right[i] = value(random);
    }
    return buffer;
}

void PutSpecialValues(StereoBuffer& buffer)
{
    const double special[] = {0.0, -0.0, 1.0, -1.0, kInfinity, -kInfinity, std::nan(""), 1e300, -1e-300, 0.999999999};
    for (size_t k = 0; k < std::size(special) && k < buffer.left.size(); ++k)
    {
        buffer.left[3 * k % buffer.left.size()] = special[k];
        buffer.right[(5 * k + 1) % buffer.right.size()] = special[k];
    }
}

double LargestDifference(const StereoBuffer& a, const StereoBuffer& b)
{
    double largest = 0.0;
    for (size_t i = 0; i < a.left.size(); ++i)
        largest = std::max({largest, std::fabs(a.left[i] - b.left[i]), std::fabs(a.right[i] - b.right[i])});
    return largest;
}

// The first frame whose left or right sample differs in any bit; -1 where none does.
int64_t FirstDifferentFrame(const StereoBuffer& a, const StereoBuffer& b)
{
    for (size_t i = 0; i < a.left.size(); ++i)
        if (std::memcmp(&a.left[i], &b.left[i], sizeof(double)) != 0 ||
            std::memcmp(&a.right[i], &b.right[i], sizeof(double)) != 0)
            return static_cast<int64_t>(i);
    return -1;
}

// Oversampled clipping and a plain round trip, in host blocks that cut the pieces unevenly.
StereoBuffer Oversampled(SimdLevel level)
{
    constexpr int32_t kBlock = 300;
    constexpr int32_t kBlocks = 6;
    const SimdLimit limit(level);
    Oversampler clipped;
    Oversampler aligned;
    clipped.Prepare(48000.0, kBlock);
    aligned.Prepare(48000.0, kBlock);
    StereoBuffer signal = Signal(2 * kBlock * kBlocks, 0.9, 7);
    for (int32_t block = 0; block < 2 * kBlocks; ++block)
    {
        double* const io[2] = {signal.left.data() + block * kBlock, signal.right.data() + block * kBlock};
        if (block % 2 == 0)
            clipped.Process(io, kBlock, [](double* const piece[2], int32_t m) {
                for (int32_t i = 0; i < m; ++i)
                {
                    piece[0][i] = std::tanh(3.0 * piece[0][i]);
                    piece[1][i] = std::tanh(3.0 * piece[1][i]);
                }
            });
        else
            aligned.RoundTrip(io, kBlock);
    }
    return signal;
}

TEST(SimdPaths, OversamplerLoopsMatchThePortableOnesWithin120Decibels)
{
    const StereoBuffer portable = Oversampled(SimdLevel::kPortable);
    for (const SimdLevel level : SimdLevelsHere())
    {
        const StereoBuffer out = Oversampled(level);
        EXPECT_LE(LargestDifference(out, portable), kSimdTolerance) << static_cast<int>(level);
        // Fused multiply-adds round differently: had the wide loops not run, nothing would differ.
        if (level != SimdLevel::kPortable)
        {
            EXPECT_NE(FirstDifferentFrame(out, portable), -1) << "the wide loops did not run";
        }
    }
}

// The divide's own result, truncation toward zero as the quantiser defines it.
double QuantizedByDivide(double x, double factor)
{
    return FiniteOrZero(std::trunc(factor * FiniteOrZero(x)) / factor);
}

TEST(SimdPaths, QuantizerGivesTheDividesResultBitForBitOnEveryPath)
{
    constexpr int32_t kFrames = 2003;
    for (const SimdLevel level : SimdLevelsHere())
    {
        for (int step = 0; step <= 64; ++step)
        {
            const double bits = 1.0 + 63.0 * step / 64.0 + (step % 3) * 0.01;
            StereoBuffer in = Signal(kFrames, 1.5, 11 + step);
            PutSpecialValues(in);
            StereoBuffer expected = in;
            for (int32_t i = 0; i < kFrames; ++i)
            {
                expected.left[i] = QuantizedByDivide(in.left[i], std::pow(2.0, bits));
                expected.right[i] = QuantizedByDivide(in.right[i], std::pow(2.0, bits));
            }
            const SimdLimit limit(level);
            Quantizer q;
            q.amount = 0.5;
            q.bits = bits;
            q.factor = std::pow(2.0, bits);
            q.Prepare(44100.0, kFrames);
            q.Process(in.Io(), kFrames);
            EXPECT_EQ(FirstDifferentFrame(in, expected), -1) << "level " << static_cast<int>(level) << " bits " << bits;
        }
    }
}

const Wezmark::BuiltinCurves& Builtins()
{
    return *Wezmark::BuiltinCurves::Shared();
}

// The shaping as separate passes, as the unit once ran it: clean, look up each sample, then
// drive, clamp, fold and mix with a settled amount.
StereoBuffer ShapedBySeparatePasses(const Wezmark::Distortion& unit, StereoBuffer block)
{
    const double s = unit.amount;
    const bool driving = unit.mode == Wezmark::Distortion::kDrive || unit.mode == Wezmark::Distortion::kDriveAndFold;
    const double g = driving ? (s * unit.drive + 1.0) * unit.ShapingOf(unit.current).scale : 2.0 * s;
    const double h = s * 0.5;
    for (std::vector<double>* channel : {&block.left, &block.right})
        for (double& x : *channel)
        {
            x = FiniteOrZero(x);
            double wet = std::clamp(g * unit.current->Lookup(x, unit.current->Effective()), -1.0, 1.0);
            if (unit.mode == Wezmark::Distortion::kDriveAndFold)
            {
                SinPiNear(wet * 0.5, wet);
                wet *= 2.0;
            }
            x = h * wet + (1.0 - h) * x;
        }
    return block;
}

TEST(SimdPaths, DistortionsFusedPassGivesTheSeparatePassesResultWithin120DecibelsOnEveryPath)
{
    constexpr int32_t kFrames = 515;
    for (const SimdLevel level : SimdLevelsHere())
        for (uint32_t mode = 0; mode <= 2; ++mode)
            for (const double interpolation : {0.0, 0.25, 0.5, 0.75, 1.0})
            {
                const SimdLimit limit(level);
                Wezmark::Distortion unit(Builtins());
                unit.Init();
                unit.Prepare(44100.0, kFrames);
                unit.SelectCurve(22.0 / 80.0);
                unit.SetInterpolation(interpolation);
                unit.mode = mode;
                unit.amount = 0.7;
                // Settled from the first frame on.
                unit.smoothKeep = 0.0;
                unit.smoothTake = 1.0;
                unit.smoothedAmount = unit.amount;
                StereoBuffer block = Signal(kFrames, 1.2, 5 + mode);
                PutSpecialValues(block);
                unit.current->BuildEffective();
                const StereoBuffer expected = ShapedBySeparatePasses(unit, block);
                unit.BeginBlock();
                unit.Process(block.Io(), kFrames);
                EXPECT_LE(LargestDifference(block, expected), kSimdTolerance)
                    << "level " << static_cast<int>(level) << " mode " << mode << " interpolation " << interpolation;
                // Only the wide Hermite look-up rounds apart from the portable one.
                if (level == SimdLevel::kPortable)
                {
                    EXPECT_EQ(FirstDifferentFrame(block, expected), -1) << "mode " << mode << " interpolation "
                                                                        << interpolation;
                }
            }
}

struct GlideCase
{
    uint32_t mode;
    double interpolation;
    double from;
    double target;
    int32_t framesPerHostFrame;
};

// The shaping of a gliding block as separate passes: clean and look up each sample (as the
// wide look-up does where it serves), then step the amount as the smoother does and drive,
// clamp, fold and mix each frame with it. Where the glide lands on 0 the rest passes cleaned.
StereoBuffer GlidedBySeparatePasses(const Wezmark::Distortion& unit, bool wideLookUps, StereoBuffer block)
{
    const auto frames = static_cast<int32_t>(block.left.size());
    const DistortionCurve& curve = *unit.current;
    StereoBuffer looked(frames);
    for (int32_t i = 0; i < frames; ++i)
    {
        block.left[i] = FiniteOrZero(block.left[i]);
        block.right[i] = FiniteOrZero(block.right[i]);
        looked.left[i] = curve.Lookup(block.left[i], curve.Effective());
        looked.right[i] = curve.Lookup(block.right[i], curve.Effective());
    }
    const std::optional<WideCurve> wide = WideCurveOf(curve, curve.Effective());
    if (wideLookUps && wide)
    {
        LookupBlockWide(*wide, block.left.data(), looked.left.data(), frames);
        LookupBlockWide(*wide, block.right.data(), looked.right.data(), frames);
    }
    const bool driving = unit.mode == Wezmark::Distortion::kDrive || unit.mode == Wezmark::Distortion::kDriveAndFold;
    double s = unit.smoothedAmount;
    for (int32_t i = 0; i < frames; ++i)
    {
        if (StepsAt(i, unit.framesPerHostFrame))
            s = GlideOutStep(s, unit.smoothKeep, unit.smoothTake, unit.amount);
        if (s == 0.0)
            break;
        const double g = driving ? (s * unit.drive + 1.0) * unit.ShapingOf(unit.current).scale : 2.0 * s;
        const double h = s * 0.5;
        for (auto [x, y] : {std::pair{&block.left[i], looked.left[i]}, std::pair{&block.right[i], looked.right[i]}})
        {
            double wet = std::clamp(g * y, -1.0, 1.0);
            if (unit.mode == Wezmark::Distortion::kDriveAndFold)
            {
                SinPiNear(wet * 0.5, wet);
                wet *= 2.0;
            }
            *x = h * wet + (1.0 - h) * *x;
        }
    }
    return block;
}

TEST(SimdPaths, DistortionsGlidingPassGivesTheSeparatePassesResultBitForBitOnEveryPath)
{
    constexpr int32_t kFrames = 515;
    std::vector<GlideCase> cases;
    // Rising and falling in every mode and interpolation, a step every frame or every host
    // frame of a stage run at 2, 3 or 8 times the host rate.
    for (uint32_t mode = 0; mode <= 2; ++mode)
        for (const double interpolation : {0.0, 0.25, 0.5, 0.75, 1.0})
        {
            cases.push_back({mode, interpolation, 0.1, 0.9, 1});
            cases.push_back({mode, interpolation, 0.8, 0.3, 8});
        }
    cases.push_back({1, 1.0, 0.2, 0.6, 2});
    cases.push_back({2, 0.25, 0.6, 0.2, 3});
    // Glides out, landing on 0 at frames 460 to 463 (each lane of a group of four) and 513
    // (in the last, short group), at 320 in a stage run at 8 times the rate, and not at all.
    for (const double from : {1.02e-13, 1.03e-13, 1.04e-13, 1.05e-13, 1.74e-13, 1.8e-13})
        cases.push_back({1, 1.0, from, 0.0, 1});
    cases.push_back({2, 0.25, 1.5e-15, 0.0, 8});
    for (const GlideCase& c : cases)
        for (const SimdLevel level : SimdLevelsHere())
        {
            SCOPED_TRACE(testing::Message() << "level " << static_cast<int>(level) << " mode " << c.mode
                                            << " interpolation " << c.interpolation << " from " << c.from
                                            << " to " << c.target << " per host frame " << c.framesPerHostFrame);
            const SimdLimit limit(level);
            Wezmark::Distortion unit(Builtins());
            unit.Init();
            unit.Prepare(44100.0, kFrames, c.framesPerHostFrame);
            unit.SelectCurve(22.0 / 80.0);
            unit.SetInterpolation(c.interpolation);
            unit.mode = c.mode;
            unit.amount = c.target;
            unit.smoothedAmount = c.from;
            // Fast enough to travel far within the block, and to land on 0.
            unit.smoothKeep = 0.99;
            unit.smoothTake = 1.0 - unit.smoothKeep;
            StereoBuffer block = Signal(kFrames, 1.2, 9 + c.mode);
            PutSpecialValues(block);
            unit.current->BuildEffective();
            const StereoBuffer expected = GlidedBySeparatePasses(unit, level != SimdLevel::kPortable, block);
            unit.BeginBlock();
            unit.Process(block.Io(), kFrames);
            EXPECT_EQ(FirstDifferentFrame(block, expected), -1);
        }
}

// A settled saturator on noise, with the portable loops forced or the widest ones.
StereoBuffer Saturated(SimdLevel level, double amount, uint32_t source, double mode, int32_t frames)
{
    const SimdLimit limit(level);
    Wezmark::Saturator saturator(source);
    saturator.LoadCurve(Builtins());
    saturator.SetMode(mode);
    saturator.Prepare(44100.0, frames);
    saturator.amount = amount;
    saturator.amountState = amount;
    saturator.driveState = saturator.drive;
    StereoBuffer block = Signal(frames, 1.2, 13 + source);
    PutSpecialValues(block);
    saturator.BeginBlock();
    saturator.Process(block.Io(), frames);
    return block;
}

TEST(SimdPaths, SaturatorsSettledPassGivesThePortableResultWithin120Decibels)
{
    constexpr int32_t kFrames = 333;
    struct Case
    {
        double amount;
        uint32_t source;
        double mode;
    };
    // Below the mix threshold, at it and above it, on both curves and every drive.
    for (const Case& c : {Case{0.2, 0, 0.0}, Case{0.5, 1, 0.5}, Case{0.9, 0, 1.0}, Case{0.1, 1, 1.0}})
    {
        const StereoBuffer portable = Saturated(SimdLevel::kPortable, c.amount, c.source, c.mode, kFrames);
        for (const SimdLevel level : SimdLevelsHere())
        {
            const StereoBuffer out = Saturated(level, c.amount, c.source, c.mode, kFrames);
            EXPECT_LE(LargestDifference(out, portable), kSimdTolerance) << "level " << static_cast<int>(level)
                                                                        << " amount " << c.amount;
        }
    }
}

TEST(SimdPaths, WideCurveLookUpsGiveThePortableResultWithin120Decibels)
{
    if (AvailableSimdLevel() != SimdLevel::kAvx2Fma)
        GTEST_SKIP() << "no AVX2 on this processor";
    constexpr int32_t kSamples = 1027;
    DistortionCurve curve(Wezmark::Distortion::kCurvePoints);
    std::vector<double> points(curve.count);
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = std::tanh(4.0 * (2.0 * i / (points.size() - 1.0) - 1.0)) * (i % 7 == 0 ? 0.9 : 1.0);
    curve.SetPoints(points);
    StereoBuffer in = Signal(kSamples, 1.3, 3);
    PutSpecialValues(in);
    for (uint32_t interpolation = 0; interpolation <= 7; ++interpolation)
    {
        curve.interpolation = interpolation;
        const std::optional<WideCurve> wide = WideCurveOf(curve, curve.Points());
        const bool expected = interpolation == DistortionCurve::kLinearInterpolation ||
                              interpolation == DistortionCurve::kHermiteInterpolation || interpolation > 4;
        ASSERT_EQ(wide.has_value(), expected) << interpolation;
        if (!wide)
            continue;
        StereoBuffer portable(kSamples);
        StereoBuffer out(kSamples);
        curve.LookupBlock(in.left.data(), portable.left.data(), kSamples, curve.Points());
        curve.LookupBlock(in.right.data(), portable.right.data(), kSamples, curve.Points());
        LookupBlockWide(*wide, in.left.data(), out.left.data(), kSamples);
        LookupBlockWide(*wide, in.right.data(), out.right.data(), kSamples);
        EXPECT_LE(LargestDifference(out, portable), kSimdTolerance) << "interpolation " << interpolation;
        // The linear look-up sums as the portable one does; the Hermite one is fused.
        if (interpolation == DistortionCurve::kHermiteInterpolation)
        {
            EXPECT_NE(FirstDifferentFrame(out, portable), -1) << "the wide Hermite look-up did not run";
        }
        else
        {
            EXPECT_EQ(FirstDifferentFrame(out, portable), -1) << "interpolation " << interpolation;
        }
    }
}

struct ShaperCase
{
    uint32_t waveform;
    uint32_t mode;
    uint32_t polarity;
    bool invert;
    double amount;
    double width;
};

// A shaper whose amount has settled, on noise with the values that need care, with the
// portable loops forced or the widest ones. The generator starts alike, so that the random
// waveform draws the same values if it draws them in the same order.
StereoBuffer ShapedBySettledShaper(SimdLevel level, const ShaperCase& c, int32_t frames)
{
    const SimdLimit limit(level);
    Wezmark::DynShaper shaper;
    shaper.Prepare(44100.0, frames);
    for (size_t i = 0; i < shaper.steps16.size(); ++i)
        shaper.steps16[i] = -(i + 1.0) / shaper.steps16.size();
    for (size_t i = 0; i < shaper.steps64.size(); ++i)
        shaper.steps64[i] = -(i + 1.0) / shaper.steps64.size();
    shaper.waveform = c.waveform;
    shaper.mode = c.mode;
    shaper.polarity = c.polarity;
    shaper.invert = c.invert;
    shaper.width = c.width;
    shaper.amount = c.amount;
    shaper.smoothed = c.amount;
    shaper.presence = 1.0;
    // Settled from the first frame on.
    shaper.keep = 0.0;
    shaper.take = 1.0;
    StereoBuffer block = Signal(frames, 1.2, 17 + c.waveform + 5 * c.mode);
    PutSpecialValues(block);
    SharedRandom::Seed(1800);
    shaper.Process(block.Io(), frames);
    return block;
}

TEST(SimdPaths, SettledShaperGivesThePortableResultBitForBitOnEveryPath)
{
    constexpr int32_t kFrames = 515;
    std::vector<ShaperCase> cases;
    // Every waveform, one past them, every mode, polarity and inversion; then a window that
    // reaches down to 0 and one of no width.
    for (uint32_t waveform = 0; waveform <= Wezmark::DynShaper::kRandom + 1; ++waveform)
        for (uint32_t mode = 0; mode <= 3; ++mode)
            for (uint32_t polarity = 0; polarity <= 2; ++polarity)
                for (const bool invert : {false, true})
                    cases.push_back({waveform, mode, polarity, invert, 0.7, 0.3});
    for (uint32_t waveform = 0; waveform <= Wezmark::DynShaper::kRandom; ++waveform)
    {
        cases.push_back({waveform, 1, 0, false, 1.0, 0.777});
        cases.push_back({waveform, 2, 0, false, 0.4, 0.0});
    }
    for (const ShaperCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "waveform " << c.waveform << " mode " << c.mode << " polarity " << c.polarity
                                        << " invert " << c.invert << " amount " << c.amount << " width " << c.width);
        const StereoBuffer portable = ShapedBySettledShaper(SimdLevel::kPortable, c, kFrames);
        for (const SimdLevel level : SimdLevelsHere())
        {
            const StereoBuffer out = ShapedBySettledShaper(level, c, kFrames);
            EXPECT_EQ(FirstDifferentFrame(out, portable), -1) << "level " << static_cast<int>(level);
        }
    }
}

// A gate whose threshold has settled, on noise with the values that need care.
StereoBuffer GatedBySettledGate(SimdLevel level, double threshold, int32_t frames)
{
    const SimdLimit limit(level);
    DeadZoneGate gate;
    gate.target = threshold;
    gate.threshold = threshold;
    StereoBuffer block = Signal(frames, 1.2, 29);
    PutSpecialValues(block);
    gate.Process(block.Io(), frames);
    return block;
}

TEST(SimdPaths, SettledGateGivesThePortableResultBitForBitOnEveryPath)
{
    constexpr int32_t kFrames = 1023;
    // A knee as wide as the threshold, the widest knee, a threshold above full scale.
    for (const double threshold : {0.004, 0.3, 1.1})
    {
        const StereoBuffer portable = GatedBySettledGate(SimdLevel::kPortable, threshold, kFrames);
        for (const SimdLevel level : SimdLevelsHere())
        {
            const StereoBuffer out = GatedBySettledGate(level, threshold, kFrames);
            EXPECT_EQ(FirstDifferentFrame(out, portable), -1) << "level " << static_cast<int>(level) << " threshold "
                                                              << threshold;
        }
    }
}

} // namespace
