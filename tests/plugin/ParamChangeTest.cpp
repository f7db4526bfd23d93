// Every used parameter stepped from one end to the other at a block boundary, on a neutral
// program, one with the distortion on and one with the sub-band on, at 44.1 and 96 kHz: its
// change glides or crossfades, so the output steps no more steeply than a settled output among
// the settings in between does, and it does not dip.

#include "framework/vst2/Vst2Constants.h"
#include "plugin/ParameterTable.h"
#include "tests/plugin/Vst2ChangeRender.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
using namespace ChangeMeasure;

constexpr int kBlock = 512;
constexpr double kLargestStepRatio = 1.5;
constexpr double kDeepestDipDb = 3.0;

// The settings a parameter passes between 0 and 1: each step of a stepped one, else five.
std::vector<double> SettingsBetween(int index)
{
    const double step = GetParameterDefinition(index).step;
    const int count = ChangeKindOf(index) == ChangeKind::kCrossfades && step > 0.01 ? static_cast<int>(std::lround(1.0 / step)) : 4;
    std::vector<double> settings;
    for (int i = 0; i <= count; ++i)
        settings.push_back(std::min(1.0, i / static_cast<double>(count)));
    return settings;
}

struct Worst
{
    Result result;
    const char* setup = "";
    double rate = 0.0;
    double from = 0.0;
};

// The worst change of `index` over the setups, both rates and both directions.
Worst Measure(int index)
{
    Worst worst;
    for (const StartingPoint& setup : StartingPoints())
        for (const double rate : {44100.0, 96000.0})
        {
            double steepest = 0.0;
            double quietest = INFINITY;
            for (const double setting : SettingsBetween(index))
            {
                PluginRig rig(kBlock, nullptr, rate);
                Prepare(rig, setup);
                rig.Set(index, setting);
                const Render held = RenderChange(rig, rate, kBlock, {});
                steepest = std::max(steepest, SettledStep(held, rate));
                if (setting == 0.0 || setting == 1.0)
                    quietest = std::min(quietest, SettledLevel(held, rate));
            }
            for (const double from : {0.0, 1.0})
            {
                PluginRig rig(kBlock, nullptr, rate);
                Prepare(rig, setup);
                rig.Set(index, from);
                const Render change = RenderChange(rig, rate, kBlock, [&] { rig.Set(index, 1.0 - from); });
                const Result result = Compare(change, rate, steepest, quietest);
                if (result.stepRatio > worst.result.stepRatio || result.dipDb > worst.result.dipDb)
                {
                    worst.result.stepRatio = std::max(worst.result.stepRatio, result.stepRatio);
                    worst.result.dipDb = std::max(worst.result.dipDb, result.dipDb);
                    worst.setup = setup.name;
                    worst.rate = rate;
                    worst.from = from;
                }
            }
        }
    return worst;
}

class ParamChanges : public testing::TestWithParam<int>
{
};

TEST_P(ParamChanges, GlideOrCrossfadeWithoutStepOrDip)
{
    const int index = GetParam();
    if (ChangeKindOf(index) == ChangeKind::kFeedsNothing)
        GTEST_SKIP() << "feeds nothing";
    const Worst worst = Measure(index);
    RecordProperty("step_ratio", testing::PrintToString(worst.result.stepRatio));
    RecordProperty("dip_db", testing::PrintToString(worst.result.dipDb));
    SCOPED_TRACE(testing::Message() << GetParameterDefinition(index).name << ", worst " << worst.setup << " at "
                                    << worst.rate << " Hz from " << worst.from);
    EXPECT_LE(worst.result.stepRatio, kLargestStepRatio);
    EXPECT_LE(worst.result.dipDb, kDeepestDipDb);
}

INSTANTIATE_TEST_SUITE_P(EveryParameter, ParamChanges, testing::Range(0, static_cast<int>(kTotalParamCount)));

} // namespace
