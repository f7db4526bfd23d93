#include "tests/plugin/GlideSettle.h"

#include "framework/vst2/Vst2Constants.h"
#include "tests/plugin/PluginRig.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace GlideSettle
{
namespace
{
constexpr double kChangeSeconds = 0.25;
constexpr double kWatchSeconds = 0.3;
constexpr double kFundamentalHz = 300.0;
constexpr double kPartials[] = {1.0, 3.0, 9.0, 27.0};
constexpr double kPartialAmplitude = 0.1;
constexpr double kTenth = 0.1;
// The settled distance is taken over these many periods before the change.
constexpr int kReferencePeriods = 10;
constexpr int kHostBlock = 512;

int Frames(double seconds, double rate)
{
    return static_cast<int>(std::lround(seconds * rate));
}

// The left output of the chord, the parameter at `to` throughout or moved there at the change.
Signal Render(const Change& change, double rate, bool moves)
{
    PluginRig rig(kHostBlock, nullptr, rate);
    rig.Dispatch(effSetProgram, 0, 0);
    for (const auto& [index, value] : change.settings)
        rig.Set(index, value);
    rig.Set(change.index, moves ? change.from : change.to);
    const int changeAt = Frames(kChangeSeconds, rate);
    const int total = changeAt + Frames(kWatchSeconds, rate);
    Signal input(static_cast<size_t>(total));
    for (int i = 0; i < total; ++i)
        for (double partial : kPartials)
            input[static_cast<size_t>(i)] +=
                kPartialAmplitude * std::sin(2.0 * std::numbers::pi * kFundamentalHz * partial * i / rate);
    Signal left(input.size());
    Signal right(input.size());
    for (int offset = 0; offset < total;)
    {
        if (moves && offset == changeAt)
            rig.Set(change.index, change.to);
        const int end = offset < changeAt ? std::min(offset + kHostBlock, changeAt) : offset + kHostBlock;
        const int count = std::min(end, total) - offset;
        double* in[2] = {input.data() + offset, input.data() + offset};
        double* out[2] = {left.data() + offset, right.data() + offset};
        rig.plugin.ProcessBlock(in, out, count);
        offset += count;
    }
    return left;
}
} // namespace

Result Measure(const Change& change, double rate)
{
    const Signal moved = Render(change, rate, true);
    const Signal held = Render(change, rate, false);
    const int changeAt = Frames(kChangeSeconds, rate);
    const int period = Frames(1.0 / kFundamentalHz, rate);
    // Squared distances summed over a window that ends at each frame.
    const auto windowEnergy = [&](int last, int frames) {
        double sum = 0.0;
        for (int i = last - frames + 1; i <= last; ++i)
        {
            const double d = moved[static_cast<size_t>(i)] - held[static_cast<size_t>(i)];
            sum += d * d;
        }
        return sum;
    };
    Result result;
    const int referenceFrames = kReferencePeriods * period;
    result.distance = std::sqrt(windowEnergy(changeAt - 1, referenceFrames) / referenceFrames);
    const double limit = kTenth * result.distance;
    int lastAbove = changeAt - 1;
    for (int t = changeAt; t < static_cast<int>(moved.size()); ++t)
        if (std::sqrt(windowEnergy(t, period) / period) > limit)
            lastAbove = t;
    result.seconds = (lastAbove + 1 - changeAt) / rate;
    return result;
}
} // namespace GlideSettle
