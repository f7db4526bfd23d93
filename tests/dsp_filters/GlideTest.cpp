#include "DesignCatalogue.h"

#include "dsp/filters/FrequencyScale.h"
#include "dsp/filters/ParamInfo.h"
#include "dsp/filters/SmoothedFilterDesign.h"
#include "tests/support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// The first output sample of an impulse from cleared memory: it depends on the coefficients
// in force, and it advances a glide by one sample. The impulse is large so that the denormal
// guard added at each stage does not show.
double Probe(Dsp::Filter& filter)
{
    constexpr double kImpulse = 1e6;
    filter.Reset();
    double left = kImpulse;
    double right = kImpulse;
    double* channels[] = {&left, &right};
    filter.ProcessDouble(1, channels);
    return left / kImpulse;
}

double ProbeDesign(const DesignEntry& entry, const Dsp::FilterParams& values)
{
    auto filter = entry.make();
    filter->SetParams(values);
    return Probe(*filter);
}

// Where a glide stands after fraction of its length: a frequency that both ends place on the
// warped scale (that of the rate the glides were tuned at, whatever the design's rate) moves
// on it, everything else in equal steps.
Dsp::FilterParams Between(const DesignEntry& entry, const Dsp::FilterParams& from, const Dsp::FilterParams& to,
                          double fraction)
{
    const auto filter = entry.make();
    Dsp::FilterParams values = to;
    for (int i = 0; i < filter->GetNumParams(); ++i) {
        const bool warped = filter->GetParamInfo(i).id == Dsp::kFrequencyId && Dsp::FrequencyScale::Covers(from[i]) &&
                            Dsp::FrequencyScale::Covers(to[i]);
        if (!warped) {
            values[i] = from[i] + fraction * (to[i] - from[i]);
            continue;
        }
        const double start = Dsp::FrequencyScale::ToWarped(from[i]);
        const double end = Dsp::FrequencyScale::ToWarped(to[i]);
        values[i] = Dsp::FrequencyScale::FromWarped(start + fraction * (end - start));
    }
    return values;
}

// The guards leave at most this much in a probe.
constexpr double kGuardResidue = 1e-12;
// An elliptic design of order 3 or 4 is only as exact as its factoring, which stops at a
// correction of 1e-6.
constexpr double kProbeTolerance = 1e-7;
constexpr double kFactoredTolerance = 1e-4;

struct GlideCase {
    const char* design;
    Dsp::FilterParams from;
    Dsp::FilterParams to;
    int length;
    double tolerance = kProbeTolerance;
};

// Orders glide to non-integer targets so that no sample lands on an order boundary. No
// frequency moves faster than the shortest time an octave allows over these lengths.
const GlideCase kGlides[] = {
    {"RbjLowPass", {44100, 2000, 1}, {44100, 8000, 4}, 256},
    {"RbjBandStop", {44100, 2000, 1}, {48000, 300, 0.25}, 300},
    {"ButterworthLowShelf2", {44100, 1, 150, -6}, {44100, 2.5, 1000, 12}, 256},
    {"BesselLowPass4", {44100, 1, 2000}, {44100, 4.3, 4000}, 256},
    {"ChebyshevILowPass8", {44100, 2, 3000, 0.01}, {44100, 8.7, 3000, 6}, 256},
    {"EllipticLowPass4", {44100, 1, 2000, 0.01, 0}, {44100, 4.5, 6000, 3, -4}, 160, kFactoredTolerance},
    {"EllipticBandStop4", {44100, 2, 2000, 1720, 0.5, 0}, {44100, 2, 5000, 300, 1, 2}, 128},
};

// Probes `checked` samples of a glide from `from` to `to` over `frames` samples that started
// at the first of them. The glide is designed every kGlideDesignInterval frames and at its
// end, where the probe is the design's; in between the coefficients are blended, and the probe
// keeps within the range that the path takes over that interval, widened by its width.
void ExpectProbesAlongGlide(Dsp::Filter& filter, const DesignEntry& entry, const Dsp::FilterParams& from,
                            const Dsp::FilterParams& to, int frames, int checked, double tolerance)
{
    const auto onPath = [&](int k) {
        return ProbeDesign(entry, Between(entry, from, to, std::min(1.0, double(k) / frames)));
    };
    for (int k = 1; k <= checked; ++k) {
        const double probe = Probe(filter);
        const int designed = k - k % Dsp::kGlideDesignInterval;
        if (designed == k || k >= frames) {
            const double expected = onPath(k);
            ASSERT_NEAR(probe, expected, kGuardResidue + tolerance * std::fabs(expected)) << "sample " << k;
            continue;
        }
        double low = onPath(designed);
        double high = low;
        for (int j = designed + 1; j <= std::min(designed + Dsp::kGlideDesignInterval, frames); ++j) {
            low = std::min(low, onPath(j));
            high = std::max(high, onPath(j));
        }
        const double slack = high - low + kGuardResidue + tolerance * std::fabs(high);
        ASSERT_GE(probe, low - slack) << "sample " << k;
        ASSERT_LE(probe, high + slack) << "sample " << k;
    }
}

// The glide of the case moves the parameters over `frames` samples and ends on the target.
void ExpectGlideOver(const GlideCase& c, int frames)
{
    const DesignEntry& entry = FindDesign(c.design);
    auto filter = entry.make();
    filter->SetParams(c.from);
    filter->SetTransitionLength(c.length);
    filter->SetParams(c.to);
    ExpectProbesAlongGlide(*filter, entry, c.from, c.to, frames, frames + 3, c.tolerance);
    EXPECT_EQ(filter->Response(0.1), [&] {
        auto target = entry.make();
        target->SetParams(c.to);
        return target->Response(0.1);
    }());
}

TEST(Glide, ParametersMoveOverTheTransitionAndEndOnTheTarget)
{
    for (const GlideCase& c : kGlides) {
        SCOPED_TRACE(c.design);
        ExpectGlideOver(c, c.length);
    }
}

// 20 Hz to 20 kHz at 44.1 kHz spans 12.2 octaves of the warped scale (the log2 of
// tan(pi 20000 / 44100) / tan(pi 20 / 44100)): at 2 ms an octave that is 1078 samples, not
// the transition length of 256, so the filter does not open past a signal faster than it moves.
TEST(Glide, AJumpOverManyOctavesGlidesNoFasterThanTheShortestTimeAnOctave)
{
    const GlideCase jump{"RbjLowPass", {44100, 20, 1}, {44100, 20000, 1}, 256};
    ExpectGlideOver(jump, 1078);
}

// At other rates the jump takes the same path in Hz in the same time: 1078 frames at 44.1 kHz
// are 24.4 ms, so 1174 at 48 kHz and 4693 at 192 kHz, where a transition length of the same
// time is given too.
TEST(Glide, AJumpGlidesAsLongAtEveryRate)
{
    const struct {
        double rate;
        int length;
        int frames;
    } cases[] = {{48000, 279, 1174}, {96000, 557, 2347}, {192000, 1115, 4693}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        ExpectGlideOver({"RbjLowPass", {c.rate, 20, 1}, {c.rate, 20000, 1}, c.length}, c.frames);
    }
}

// Three RBJ low passes far apart: a glide from the first to the second, then the third.
const Dsp::FilterParams kRbjFrom{44100, 2000, 1};
const Dsp::FilterParams kRbjTo{44100, 8000, 1};
const Dsp::FilterParams kRbjNext{44100, 500, 1};

TEST(Glide, NewParametersMidGlideRestartAFullGlideFromTheValuesReached)
{
    const DesignEntry& entry = FindDesign("RbjLowPass");
    auto filter = entry.make();
    filter->SetParams(kRbjFrom);
    filter->SetParams(kRbjTo);
    for (int k = 0; k < 100; ++k)
        Probe(*filter);
    filter->SetParams(kRbjNext);
    const Dsp::FilterParams reached = Between(entry, kRbjFrom, kRbjTo, 100.0 / 256.0);
    ExpectProbesAlongGlide(*filter, entry, reached, kRbjNext, 256, 260, kProbeTolerance);
}

// Left and right outputs of the noise run in blocks of the given sizes.
std::vector<double> RunInBlocks(Dsp::Filter& filter, const std::vector<int>& blocks)
{
    int total = 0;
    for (int size : blocks)
        total += size;
    std::vector<double> left = UniformNoise(total, 11);
    std::vector<double> right = UniformNoise(total, 12);
    int frame = 0;
    for (int size : blocks) {
        double* channels[] = {left.data() + frame, right.data() + frame};
        filter.ProcessDouble(size, channels);
        frame += size;
    }
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

TEST(Glide, SplitBlocksFollowTheSameGlideAsOneBlock)
{
    for (const GlideCase& c : kGlides) {
        SCOPED_TRACE(c.design);
        const DesignEntry& entry = FindDesign(c.design);
        auto whole = entry.make();
        auto split = entry.make();
        for (Dsp::Filter* filter : {whole.get(), split.get()}) {
            filter->SetParams(c.from);
            filter->SetParams(c.to);
        }
        const std::vector<double> expected = RunInBlocks(*whole, {600});
        const std::vector<double> actual = RunInBlocks(*split, {1, 1, 37, 100, 61, 400});
        for (size_t n = 0; n < expected.size(); ++n)
            ASSERT_NEAR(actual[n], expected[n], 1e-9) << n;
    }
}

TEST(Glide, OutsideAGlideSplitBlocksAreBitIdentical)
{
    for (const DesignEntry& entry : AllDesigns()) {
        SCOPED_TRACE(entry.label);
        auto whole = MakeDesigned(entry, 44100);
        auto split = MakeDesigned(entry, 44100);
        EXPECT_EQ(RunInBlocks(*whole, {2, 600}), RunInBlocks(*split, {1, 1, 1, 299, 300}));
    }
}

TEST(Glide, ArmingAGlideTowardsTheCurrentValuesChangesNothing)
{
    for (const DesignEntry& entry : AllDesigns()) {
        SCOPED_TRACE(entry.label);
        auto plain = MakeDesigned(entry, 44100);
        auto armed = MakeDesigned(entry, 44100);
        armed->SetTransitionLength(512);
        EXPECT_EQ(RunInBlocks(*plain, {700}), RunInBlocks(*armed, {700}));
    }
}

TEST(Glide, FirstParameterSetIsAppliedAtOnceEvenAfterATransitionLength)
{
    for (const DesignEntry& entry : AllDesigns()) {
        SCOPED_TRACE(entry.label);
        auto plain = entry.make();
        auto lengthFirst = entry.make();
        lengthFirst->SetTransitionLength(100);
        ApplyDefaults(*plain);
        ApplyDefaults(*lengthFirst);
        EXPECT_EQ(RunInBlocks(*plain, {300}), RunInBlocks(*lengthFirst, {300}));
    }
}

TEST(Glide, AGlideCutShortByATransitionLengthOfZeroSettlesOnTheTarget)
{
    const GlideCase cases[] = {
        {"ButterworthLowPass4", {44100, 4, 500}, {44100, 4, 3000}, 256},
        {"ChebyshevIHighPass4FormI", {44100, 4, 3000, 1}, {44100, 2, 800, 0.5}, 256},
        {"EllipticBandStop4", {44100, 4, 2000, 500, 1, 0}, {44100, 4, 4000, 800, 2, 1}, 256},
    };
    for (const GlideCase& c : cases) {
        SCOPED_TRACE(c.design);
        const DesignEntry& entry = FindDesign(c.design);
        auto cut = entry.make();
        cut->SetParams(c.from);
        cut->SetTransitionLength(c.length);
        cut->SetParams(c.to);
        auto target = entry.make();
        target->SetParams(c.to);
        const std::vector<double> before = RunInBlocks(*cut, {100});
        RunInBlocks(*target, {100});
        cut->SetTransitionLength(0);
        constexpr size_t kFrames = 8000;
        const std::vector<double> expected = RunInBlocks(*target, {kFrames});
        const std::vector<double> actual = RunInBlocks(*cut, {kFrames});
        for (double x : before)
            ASSERT_LT(std::fabs(x), 2.0);
        // Once the memory of the glide has died away, the target alone is left.
        for (size_t n = kFrames - 1000; n < kFrames; ++n) {
            ASSERT_NEAR(actual[n], expected[n], 1e-9) << n;
            ASSERT_NEAR(actual[kFrames + n], expected[kFrames + n], 1e-9) << n;
        }
        // And a later glide starts from that memory. The cut left the transition parameters
        // where it found them; applying the target at once brings them there too.
        cut->SetParams(c.to);
        for (Dsp::Filter* filter : {cut.get(), target.get()}) {
            filter->SetTransitionLength(c.length);
            filter->SetParams(c.from);
        }
        const std::vector<double> expectedBack = RunInBlocks(*target, {600});
        const std::vector<double> actualBack = RunInBlocks(*cut, {600});
        for (size_t n = 0; n < expectedBack.size(); ++n)
            ASSERT_NEAR(actualBack[n], expectedBack[n], 1e-8) << n;
    }
}

// Sets that come between two runs glide as the last of them alone would, whatever was read in
// between and whether or not a glide was under way.
TEST(Glide, OnlyTheLastOfSeveralSetsBetweenTwoRunsCounts)
{
    for (const GlideCase& c : kGlides) {
        SCOPED_TRACE(c.design);
        const DesignEntry& entry = FindDesign(c.design);
        auto once = entry.make();
        auto often = entry.make();
        for (Dsp::Filter* filter : {once.get(), often.get()}) {
            filter->SetParams(c.from);
            filter->SetTransitionLength(c.length);
            RunInBlocks(*filter, {50});
        }
        const Dsp::FilterParams midway = Between(entry, c.from, c.to, 0.5);
        // The first round starts from the design in force, the second halfway through its glide,
        // and runs on past the glide's end.
        const struct {
            const Dsp::FilterParams& before;
            const Dsp::FilterParams& last;
            int frames;
        } rounds[] = {{c.from, c.to, c.length / 2}, {c.to, c.from, c.length + 10}};
        for (const auto& round : rounds) {
            often->SetParams(midway);
            often->Response(0.1);
            often->SetParams(round.before);
            often->SetParams(round.last);
            once->SetParams(round.last);
            EXPECT_EQ(RunInBlocks(*often, {round.frames}), RunInBlocks(*once, {round.frames}));
        }
    }
}

// A filter run unheard through a glide and past its end, then heard, sounds as one heard all along.
TEST(Glide, AnUnheardRunMovesTheMemoryOnAsAHeardOne)
{
    for (const GlideCase& c : kGlides) {
        SCOPED_TRACE(c.design);
        const DesignEntry& entry = FindDesign(c.design);
        auto heard = entry.make();
        auto unheard = entry.make();
        for (Dsp::Filter* filter : {heard.get(), unheard.get()}) {
            filter->SetParams(c.from);
            filter->SetTransitionLength(c.length);
            filter->SetParams(c.to);
        }
        std::vector<double> left = UniformNoise(600, 11);
        std::vector<double> right = UniformNoise(600, 12);
        for (int frame = 0; frame < 600; frame += 100) {
            std::vector<double> copy[2] = {{left.begin() + frame, left.begin() + frame + 100},
                                           {right.begin() + frame, right.begin() + frame + 100}};
            double* channels[] = {copy[0].data(), copy[1].data()};
            unheard->ProcessUnheard(100, channels);
        }
        RunInBlocks(*heard, {600});
        EXPECT_EQ(RunInBlocks(*unheard, {64}), RunInBlocks(*heard, {64}));
    }
}

} // namespace

// A start afresh has nothing to glide from: a glide under way ends on its target at once, and
// a later set glides from there.
TEST(Glide, RestartPutsTheTargetInForceAtOnce)
{
    const DesignEntry& entry = FindDesign("RbjLowPass");
    auto filter = entry.make();
    filter->SetParams(kRbjFrom);
    filter->SetParams(kRbjTo);
    Probe(*filter);
    filter->Restart();
    EXPECT_NEAR(Probe(*filter), ProbeDesign(entry, kRbjTo), kGuardResidue);
    filter->SetParams(kRbjFrom);
    ExpectProbesAlongGlide(*filter, entry, kRbjTo, kRbjFrom, 256, Dsp::kGlideDesignInterval, kProbeTolerance);
}
