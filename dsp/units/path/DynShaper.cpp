#include "dsp/units/path/DynShaper.h"

#include "dsp/SamplePair.h"
#include "dsp/units/GlideTimes.h"
#include "dsp/units/SinPiPolynomial.h"
#include "dsp/units/SmootherStep.h"
#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/SharedRandom.h"
#include "dsp/units/path/DynShaperWide.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace Wezmark
{

namespace
{

constexpr double kDriveScale = 5.0;
constexpr int32_t kRandomSpan = 20000;
constexpr double kRandomHalfSpan = 10000.0;

using LaneMask = long long __attribute__((vector_size(2 * sizeof(long long))));
using LaneBits = unsigned long long __attribute__((vector_size(2 * sizeof(unsigned long long))));

constexpr SamplePair kZero{0.0, 0.0};
constexpr SamplePair kOne{1.0, 1.0};

LaneMask AllLanes(bool on)
{
    return on ? LaneMask{-1, -1} : LaneMask{0, 0};
}

SamplePair Magnitude(SamplePair x)
{
    return reinterpret_cast<SamplePair>(reinterpret_cast<LaneBits>(x) & ~reinterpret_cast<LaneBits>(SamplePair{-0.0, -0.0}));
}

// sin(pi v) for v in [0, 2), by the symmetries of the sine.
[[gnu::always_inline]] inline SamplePair SinPi(SamplePair v)
{
    const SamplePair upper = v >= 1.0 ? v - 1.0 : v;
    const SamplePair u = upper > 0.5 ? 1.0 - upper : upper;
    SamplePair y;
    SinPiNear(u, y);
    return v >= 1.0 ? -y : y;
}

SamplePair Select(LaneMask where, SamplePair yes, SamplePair no)
{
    return where ? yes : no;
}

SamplePair Stepped(const double* table, int steps, SamplePair t, LaneMask inside)
{
    // Only the first steps - 1 entries are reachable; the guard keeps rounding at t near 1 inside.
    SamplePair value = kZero;
    for (int lane = 0; lane < 2; ++lane)
        value[lane] = table[std::min(static_cast<int>((steps - 1) * t[lane]), steps - 2)];
    return Select(inside, value, kZero);
}

// The waveform at phase t for both lanes; every waveform gives 0 at t = 0, outside the window.
template <uint32_t kWaveform>
SamplePair WaveformValue(SamplePair t, const double* steps16, const double* steps64)
{
    const LaneMask open = (t > 0.0) & (t < 1.0);
    const LaneMask lowerHalf = t < 0.5;
    if constexpr (kWaveform == DynShaper::kSine)
        return SinPi(t);
    else if constexpr (kWaveform == DynShaper::kTriangle)
        return Select(lowerHalf, 2.0 * t, 1.0 - 2.0 * (t - 0.5));
    else if constexpr (kWaveform == DynShaper::kPulse)
        return Select((t > 0.0) & lowerHalf, kOne, kZero);
    else if constexpr (kWaveform == DynShaper::kRamp)
        return Select(lowerHalf, 2.0 * t, 2.0 * (t - 1.0));
    else if constexpr (kWaveform == DynShaper::kDoubleSine)
        return SinPi(2.0 * t);
    else if constexpr (kWaveform == DynShaper::kSquare)
        return Select((t > 0.0) & lowerHalf, kOne, Select((t > 0.5) & (t < 1.0), -kOne, kZero));
    else if constexpr (kWaveform == DynShaper::kSteps16)
        return Stepped(steps16, DynShaper::kShortSteps, t, open);
    else if constexpr (kWaveform == DynShaper::kSteps64)
        return Stepped(steps64, DynShaper::kLongSteps, t, open);
    else if constexpr (kWaveform == DynShaper::kRandom)
    {
        // Draws only inside the window, left before right, as the generator's sequence needs.
        SamplePair value = kZero;
        for (int lane = 0; lane < 2; ++lane)
            if (open[lane])
                value[lane] = DynShaper::NextRandomValue();
        return value;
    }
    else
        return kZero;
}

// The input drive of the driving modes at `level`, where the bypass fade and the presence
// together weigh `weight`: it fades toward unity gain, not toward silence, so that a bypass
// ends without a jump.
double DriveGain(double weight, double level)
{
    return weight == 1.0 ? kDriveScale * level : 1.0 + weight * (kDriveScale * level - 1.0);
}

// What the shaping of a block keeps: the window and the settings, as masks and factors.
struct ShapingLanes
{
    double a;
    double lower;
    double upper;
    double width;
    // Lanes that the polarity or a shaping switched off leaves alone.
    LaneMask belowZeroPasses;
    LaneMask aboveZeroPasses;
    LaneMask everythingPasses;
    double inversion;
    bool boost;
    const double* steps16;
    const double* steps64;
};

ShapingLanes LanesFor(const DynShaper& shaper, double a, double lower, double upper)
{
    return ShapingLanes{a,
                        lower,
                        upper,
                        shaper.width,
                        AllLanes(shaper.polarity == DynShaper::kPositiveOnly),
                        AllLanes(shaper.polarity == DynShaper::kNegativeOnly),
                        AllLanes(shaper.width == 0.0 || a == 0.0),
                        shaper.invert ? -1.0 : 1.0,
                        (shaper.mode & DynShaper::kBoostBit) != 0,
                        shaper.steps16.data(),
                        shaper.steps64.data()};
}

// Both samples of a frame at once, without a branch on their values: outside the window
// every waveform adds nothing, so the sample comes out as its magnitude times its sign.
template <uint32_t kWaveform>
[[gnu::always_inline]] inline SamplePair ShapeLanes(const ShapingLanes& lanes, SamplePair x)
{
    const LaneMask below = x < 0.0;
    const LaneMask passes = (below & lanes.belowZeroPasses) | (~below & lanes.aboveZeroPasses) | lanes.everythingPasses;
    const SamplePair sign = Select(below, -kOne, kOne);
    const SamplePair m = Magnitude(x);
    // A sample that passes unchanged needs no waveform, and the random one must not draw for it.
    const LaneMask inside = (lanes.lower < m) & (m < lanes.upper) & ~passes;
    SamplePair bump = kZero;
    // The one branch: a frame with neither sample in the window skips the waveform. Oversampled
    // signals enter and leave the window seldom, so it is nearly always foreseen.
    if (inside[0] || inside[1])
    {
        const SamplePair t = Select(inside, (m - lanes.lower) / lanes.width, kZero);
        bump = WaveformValue<kWaveform>(t, lanes.steps16, lanes.steps64) * lanes.a * DynShaper::kBumpScale *
               lanes.inversion;
        if (lanes.boost)
        {
            const SamplePair boosted = DynShaper::kBoostScale * lanes.a * bump;
            bump = Select(boosted > 1.0, kOne, boosted);
        }
    }
    return Select(passes, x, (bump + m) * sign);
}

// Calls `run` with the waveform as a template argument, chosen once for a block.
template <class Run>
auto WithWaveform(uint32_t waveform, Run run)
{
    switch (waveform)
    {
    case DynShaper::kSine:
        return run.template operator()<DynShaper::kSine>();
    case DynShaper::kTriangle:
        return run.template operator()<DynShaper::kTriangle>();
    case DynShaper::kPulse:
        return run.template operator()<DynShaper::kPulse>();
    case DynShaper::kRamp:
        return run.template operator()<DynShaper::kRamp>();
    case DynShaper::kDoubleSine:
        return run.template operator()<DynShaper::kDoubleSine>();
    case DynShaper::kSquare:
        return run.template operator()<DynShaper::kSquare>();
    case DynShaper::kSteps16:
        return run.template operator()<DynShaper::kSteps16>();
    case DynShaper::kSteps64:
        return run.template operator()<DynShaper::kSteps64>();
    case DynShaper::kRandom:
        return run.template operator()<DynShaper::kRandom>();
    default:
        // Adds nothing.
        return run.template operator()<DynShaper::kRandom + 1>();
    }
}

} // namespace

double DynShaper::NextRandomValue()
{
    return (static_cast<double>(SharedRandom::Next() % kRandomSpan) - kRandomHalfSpan) / kRandomHalfSpan;
}

double DynShaper::Shape(double x, double a) const
{
    const Window window = WindowFor(a);
    const ShapingLanes lanes = LanesFor(*this, a, window.lower, window.upper);
    // The second lane is no number, so it lies in no window and draws nothing.
    const SamplePair pair{x, std::numeric_limits<double>::quiet_NaN()};
    return WithWaveform(waveform, [&]<uint32_t kWaveform>() { return ShapeLanes<kWaveform>(lanes, pair)[0]; });
}

DynShaper::Window DynShaper::WindowFor(double a) const
{
    const double h = width / 2.0;
    const double centre = (1.0 - a) * (1.0 - 2.0 * h) + h;
    return {a, centre - h, centre + h};
}

DynShaper::DynShaper()
{
    Prepare(sampleRate, kInitialFrames);
}

void DynShaper::Prepare(double rate, int32_t maxFrames, int32_t framesPerHostFrame)
{
    AudioProcessingUnit::Prepare(rate, maxFrames, framesPerHostFrame);
    keep = GlideTimes::Keep(TimeConstants::kShaperAmountKeep, rate);
    take = 1.0 - keep;
    presenceStep = GlideTimes::Step(TimeConstants::kShaperPresenceStep, rate);
    mWide = AvailableSimdLevel() == SimdLevel::kAvx2Fma;
    mCrossfade.SetBlockSize(maxFrames);
    this->framesPerHostFrame = framesPerHostFrame;
}

void DynShaper::EndGlides()
{
    AudioProcessingUnit::EndGlides();
    // At an amount of 0 the level stays where it was: the presence alone takes the shaping out.
    const bool on = amount != 0.0;
    if (on)
        smoothed = amount;
    presence = on ? 1.0 : 0.0;
    mCrossfade.TakeAtOnce(CurrentShaping());
}

DynShaper::Shaping DynShaper::CurrentShaping() const
{
    return Shaping{width, waveform, invert, mode, polarity};
}

void DynShaper::UseShaping(const Shaping& shaping)
{
    width = shaping.width;
    waveform = shaping.waveform;
    invert = shaping.invert;
    mode = shaping.mode;
    polarity = shaping.polarity;
}

void DynShaper::Process(double* const io[2], int32_t n)
{
    const Shaping shaping = CurrentShaping();
    // Faded out, the shaping was not heard whatever its settings; then, before the first block
    // since sizing, or with too long a block to copy, there is nothing to crossfade from.
    if (!mCrossfade.HeardYet() || fade == 0.0 || presence == 0.0 || !mCrossfade.Fits(n))
        mCrossfade.TakeAtOnce(shaping);
    if (!mCrossfade.Follow(shaping))
    {
        RunShaping(io, n);
        return;
    }
    // The leaving shaping runs on a copy from the same smoothing and fade state.
    double* leaving[2];
    mCrossfade.CopyForLeaving(io, n, leaving);
    const double startSmoothed = smoothed;
    const double startFade = fade;
    const double startPresence = presence;
    UseShaping(mCrossfade.Leaving());
    RunShaping(leaving, n);
    smoothed = startSmoothed;
    fade = startFade;
    presence = startPresence;
    UseShaping(shaping);
    RunShaping(io, n);
    mCrossfade.Blend(io, n, keep, take, framesPerHostFrame);
}

void DynShaper::RunShaping(double* const io[2], int32_t n)
{
    WithWaveform(waveform, [&]<uint32_t kWaveform>() { RunShapingWith<kWaveform>(io, n); });
}

bool DynShaper::ShapeSettledWide(double* const io[2], int32_t n, double a, double gain) const
{
    const Window window = WindowFor(a);
    const WideBumps bumps{window.lower,
                          window.upper,
                          width,
                          window.a,
                          invert ? -1.0 : 1.0,
                          (mode & kBoostBit) != 0,
                          (mode & kDriveBit) != 0,
                          gain,
                          waveform,
                          polarity,
                          width == 0.0 || window.a == 0.0,
                          steps16.data(),
                          steps64.data()};
    if (!ShapeBumpsWideServes(bumps))
        return false;
    ShapeBumpsWide(io, n, bumps);
    return true;
}

template <uint32_t kWaveform>
void DynShaper::RunShapingWith(double* const io[2], int32_t n)
{
    const bool on = amount != 0.0;
    const double presenceTarget = on ? 1.0 : 0.0;
    if ((fade == 0.0 && bypassed) || (!on && presence == 0.0))
        return;
    // A settled amount outside a fade is stepped once, not per frame: the later steps change nothing.
    const bool fading = (fade != 0.0 && fade != 1.0) || presence != presenceTarget;
    const bool settled = !fading && SmootherStep(smoothed, keep, take, amount) == smoothed;
    const int32_t steps = settled ? 1 : n;
    const bool driving = (mode & kDriveBit) != 0;
    double level = smoothed;
    double g = fade;
    double p = presence;
    if (settled && mWide)
    {
        const double settledLevel = on ? SmootherStep(level, keep, take, amount) : level;
        if (ShapeSettledWide(io, n, settledLevel * g * p, DriveGain(g * p, settledLevel)))
        {
            smoothed = settledLevel;
            return;
        }
    }
    ShapingLanes lanes{};
    for (int32_t i = 0; i < n; ++i)
    {
        // Outside a glide and a fade the window stays where the first frame puts it.
        if (i < steps && StepsAt(i, framesPerHostFrame))
        {
            // At an amount of 0 the level stays where it was, and the presence fades it out:
            // in the driving modes a level gliding to 0 would drive the signal to silence.
            if (on)
                level = SmootherStep(level, keep, take, amount);
            const Window window = WindowFor(level * g * p);
            lanes = LanesFor(*this, window.a, window.lower, window.upper);
        }
        SamplePair x = FiniteOrZero(SamplePair{io[0][i], io[1][i]});
        if (driving)
        {
            x = DriveGain(g * p, level) * x;
            x = Select(x < -1.0, -kOne, x);
            x = Select(x > 1.0, kOne, x);
        }
        const SamplePair shaped = ShapeLanes<kWaveform>(lanes, x);
        io[0][i] = shaped[0];
        io[1][i] = shaped[1];
        // Fade and presence move on after the last frame of a host frame.
        if (fading && StepsAt(i + 1, framesPerHostFrame))
        {
            if (g != 0.0 && g != 1.0)
                g = std::clamp(g + fadeStep, 0.0, 1.0);
            if (p != presenceTarget)
                p = on ? std::min(p + presenceStep, 1.0) : std::max(p - presenceStep, 0.0);
        }
    }
    smoothed = level;
    fade = g;
    presence = p;
}

} // namespace Wezmark
