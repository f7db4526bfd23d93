#include "dsp/units/ProcessingUnitShape.h"
#include "dsp/units/filters/BandSplitFilter.h"
#include "dsp/units/filters/DumpExpand.h"
#include "dsp/units/filters/Eq4Band.h"
#include "dsp/units/filters/FilterUnit.h"
#include "dsp/units/filters/HqFilterUnit.h"
#include "dsp/units/filters/OutputLimiter.h"
#include "dsp/units/filters/SubBandProcessor.h"
#include "tests/support/StereoBuffer.h"

#include <gtest/gtest.h>

static_assert(ProcessingUnitShape<Wezmark::BandSplitFilter>);
static_assert(ProcessingUnitShape<Wezmark::DumpExpand>);
static_assert(ProcessingUnitShape<Wezmark::Eq4Band>);
static_assert(ProcessingUnitShape<Wezmark::FilterUnit>);
static_assert(ProcessingUnitShape<Wezmark::HqFilterUnit>);
static_assert(ProcessingUnitShape<OutputLimiter>);
static_assert(ProcessingUnitShape<Wezmark::SubBandProcessor>);

namespace
{

constexpr double kRate = 48000.0;
constexpr int32_t kBlock = 256;

// Where the output is not heard, the sweep stands on its new amount and pair at once, switched
// off or on as it was last set.
TEST(UnitShape, SweepEndsItsGlideItsPairSwitchAndItsFade)
{
    Wezmark::DumpExpand sweep;
    sweep.Prepare(kRate, kBlock);
    StereoBuffer block(kBlock, 0.25);
    sweep.Process(block.Io(), kBlock);
    sweep.GlideAmountTo(0.8);
    sweep.SetSlope(1);
    sweep.SetBypass(true);
    sweep.Process(block.Io(), kBlock);
    ASSERT_NE(sweep.amount, 0.8);
    ASSERT_EQ(sweep.slope, 0u);
    sweep.EndGlides();
    EXPECT_EQ(sweep.amount, 0.8);
    EXPECT_EQ(sweep.slope, 1u);
    EXPECT_EQ(sweep.fade, 0.0);
}

} // namespace
