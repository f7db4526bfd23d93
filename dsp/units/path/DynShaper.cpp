#include "dsp/units/path/DynShaper.h"

#include "dsp/units/SmootherStep.h"
#include "dsp/units/curves/CurvePoints.h"
#include "dsp/units/curves/SharedRandom.h"

#include <algorithm>
#include <cmath>

namespace Wezmark
{

namespace
{

constexpr double kPi = 3.141592653589793;
constexpr double kBumpScale = 0.777;
constexpr double kBoostScale = 4.0;
constexpr double kDriveScale = 5.0;
constexpr int32_t kRandomSpan = 20000;
constexpr double kRandomHalfSpan = 10000.0;

bool InsideOpen(double t)
{
    return t > 0.0 && t < 1.0;
}

double Step(const double* table, int steps, double t)
{
    // Only the first steps - 1 entries are reachable; the guard keeps rounding at t near 1 inside.
    const int index = std::min(static_cast<int>((steps - 1) * t), steps - 2);
    return table[index];
}

} // namespace

double DynShaper::WaveformValue(double t) const
{
    switch (waveform)
    {
    case kSine:
        return std::sin(kPi * t);
    case kTriangle:
        return t < 0.5 ? 2.0 * t : 1.0 - 2.0 * (t - 0.5);
    case kPulse:
        return t > 0.0 && t < 0.5 ? 1.0 : 0.0;
    case kRamp:
        return t < 0.5 ? 2.0 * t : 2.0 * (t - 1.0);
    case kDoubleSine:
        return std::sin(2.0 * kPi * t);
    case kSquare:
        if (t > 0.0 && t < 0.5)
            return 1.0;
        return t > 0.5 && t < 1.0 ? -1.0 : 0.0;
    case kSteps16:
        return InsideOpen(t) ? Step(steps16.data(), kShortSteps, t) : 0.0;
    case kSteps64:
        return InsideOpen(t) ? Step(steps64.data(), kLongSteps, t) : 0.0;
    case kRandom:
        return InsideOpen(t) ? (static_cast<double>(SharedRandom::Next() % kRandomSpan) - kRandomHalfSpan) / kRandomHalfSpan
                             : 0.0;
    default:
        return 0.0;
    }
}

double DynShaper::Shape(double x, double a) const
{
    return ShapeIn(WindowFor(a), x);
}

DynShaper::Window DynShaper::WindowFor(double a) const
{
    const double h = width / 2.0;
    const double centre = (1.0 - a) * (1.0 - 2.0 * h) + h;
    return {a, centre - h, centre + h};
}

[[gnu::always_inline]] inline double DynShaper::ShapeIn(const Window& window, double x) const
{
    const double a = window.a;
    if (width == 0.0 || a == 0.0 || (x < 0.0 && polarity == kPositiveOnly) || (x >= 0.0 && polarity == kNegativeOnly))
        return x;
    const double sign = x < 0.0 ? -1.0 : 1.0;
    const double m = std::fabs(x);
    const double t = window.lower < m && m < window.upper ? (m - window.lower) / width : 0.0;
    // Outside the window every waveform adds nothing; skipping it spares the sines.
    if (t == 0.0)
        return m * sign;

    double w = WaveformValue(t) * a * kBumpScale;
    if (invert)
        w = -w;
    if (mode & kBoostBit)
        return (std::min(kBoostScale * a * w, 1.0) + m) * sign;
    return (w + m) * sign;
}

DynShaper::DynShaper()
{
    SetBlockSize(kInitialFrames);
}

void DynShaper::SetBlockSize(int32_t frames)
{
    mCrossfade.SetBlockSize(frames);
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

void DynShaper::ProcessBlock(double* const io[2], int32_t n)
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
    const bool on = amount != 0.0;
    const double presenceTarget = on ? 1.0 : 0.0;
    if ((fade == 0.0 && bypassed) || (!on && presence == 0.0))
        return;
    // A settled amount outside a fade is stepped once, not per frame: the later steps change nothing.
    const bool fading = (fade != 0.0 && fade != 1.0) || presence != presenceTarget;
    const int32_t steps = !fading && SmootherStep(smoothed, keep, take, amount) == smoothed ? 1 : n;
    double level = smoothed;
    double g = fade;
    double p = presence;
    Window window{};
    for (int32_t i = 0; i < n; ++i)
    {
        // Outside a glide and a fade the window stays where the first frame puts it.
        if (i < steps && StepsAt(i, framesPerHostFrame))
        {
            // At an amount of 0 the level stays where it was, and the presence fades it out:
            // in the driving modes a level gliding to 0 would drive the signal to silence.
            if (on)
                level = SmootherStep(level, keep, take, amount);
            window = WindowFor(level * g * p);
        }
        double left = FiniteOrZero(io[0][i]);
        double right = FiniteOrZero(io[1][i]);
        if (mode & kDriveBit)
        {
            // Fades toward unity gain, not toward silence, so that a bypass ends without a jump.
            const double weight = g * p;
            const double gain = weight == 1.0 ? kDriveScale * level : 1.0 + weight * (kDriveScale * level - 1.0);
            left = std::clamp(gain * left, -1.0, 1.0);
            right = std::clamp(gain * right, -1.0, 1.0);
        }
        io[0][i] = ShapeIn(window, left);
        io[1][i] = ShapeIn(window, right);
        // Fade and presence move on after the last frame of a host frame.
        if (fading && StepsAt(i + 1, framesPerHostFrame))
        {
            if (g != 0.0 && g != 1.0)
                g = std::clamp(g + fadeStep, 0.0, 1.0);
            if (p != presenceTarget)
                p = on ? std::min(p + kPresenceStep, 1.0) : std::max(p - kPresenceStep, 0.0);
        }
    }
    smoothed = level;
    fade = g;
    presence = p;
}

} // namespace Wezmark
