#include "tests/plugin/ChangeMeasure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ChangeMeasure
{
namespace
{
int Frames(double seconds, double rate)
{
    return static_cast<int>(std::lround(seconds * rate));
}

// -80 dBFS: below it a level counts as silence, and silence cannot dip (a closed gate's
// settled output is the decaying residue of filters, which a later render undercuts).
constexpr double kSilence = 1e-4;

double Audible(double level)
{
    return std::max(level, kSilence);
}
} // namespace

Render RenderChange(double rate, int block, int changeOffset, const BlockPlayer& play, Tone tone)
{
    const int settle = Frames(kSettleSeconds, rate);
    const int total = settle + Frames(kWatchSeconds, rate) + block;
    Signal input(static_cast<size_t>(total));
    for (int i = 0; i < total; ++i)
        input[static_cast<size_t>(i)] =
            tone.amplitude * std::sin(2.0 * std::numbers::pi * tone.hz * i / rate + tone.phase);
    Render render{Signal(input.size()), 0, tone.hz};
    Signal right(input.size());
    bool changed = false;
    for (int offset = 0; offset < total; offset += block)
    {
        int changeFrame = -1;
        if (!changed && offset >= settle)
        {
            changeFrame = changeOffset;
            render.changeAt = offset + changeOffset;
            changed = true;
        }
        play(input.data() + offset, render.left.data() + offset, right.data() + offset, std::min(block, total - offset),
             changeFrame);
    }
    return render;
}

double LargestStep(const Signal& signal, int from, int frames)
{
    double largest = 0.0;
    const int to = std::min(from + frames, static_cast<int>(signal.size()));
    for (int i = std::max(from, 1); i < to; ++i)
        largest = std::max(largest, std::fabs(signal[static_cast<size_t>(i)] - signal[static_cast<size_t>(i - 1)]));
    return largest;
}

double QuietestPeriod(const Signal& signal, int from, int frames, double rate, double hz)
{
    const int period = Frames(1.0 / hz, rate);
    double quietest = INFINITY;
    for (int start = from; start + period <= std::min(from + frames, static_cast<int>(signal.size())); start += period / 4)
    {
        double peak = 0.0;
        for (int i = start; i < start + period; ++i)
            peak = std::max(peak, std::fabs(signal[static_cast<size_t>(i)]));
        quietest = std::min(quietest, peak);
    }
    return quietest;
}

double SettledStep(const Render& render, double rate)
{
    const int span = Frames(kSettleSeconds / 2.0, rate);
    return LargestStep(render.left, render.changeAt - span, span);
}

double SettledLevel(const Render& render, double rate)
{
    const int span = Frames(kSettleSeconds / 2.0, rate);
    return QuietestPeriod(render.left, render.changeAt - span, span, rate, render.hz);
}

Result Compare(const Render& change, double rate, double steepestSettled, double quieterSettled)
{
    const int watch = Frames(kWatchSeconds, rate);
    Result result;
    result.stepRatio = LargestStep(change.left, change.changeAt - 1, watch + 1) / steepestSettled;
    const double quietest = QuietestPeriod(change.left, change.changeAt, watch, rate, change.hz);
    result.dipDb = std::max(0.0, 20.0 * std::log10(Audible(quieterSettled) / Audible(quietest)));
    return result;
}
} // namespace ChangeMeasure
