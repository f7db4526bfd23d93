// Two threads build distortion chains at once, each the first in the process to ask for the
// built-in curves. Under ThreadSanitizer this shows that the curves are built once and complete
// before either thread reads them; elsewhere that both threads read the same curves.
#include "dsp/units/curves/BuiltinCurves.h"
#include "dsp/units/path/DistortionChain.h"
#include "tests/support/StereoBuffer.h"
#include "tests/support/TestThread.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

namespace
{
constexpr int32_t kFrames = 512;

struct ChainRun
{
    const Wezmark::BuiltinCurves* builtins = nullptr;
    std::vector<double> output;
};

// A chain on the process's curves, shaping a block through a curve read from the stored tables.
void BuildAndRun(ChainRun& run)
{
    const std::shared_ptr<const Wezmark::BuiltinCurves> builtins = Wezmark::BuiltinCurves::Shared();
    DistortionChain chain(*builtins);
    chain.distortion.Init();
    chain.Prepare(44100.0, kFrames);
    chain.distortion.SelectCurve(62.0 / 80.0);
    chain.distortion.amount = 0.9;
    StereoBuffer block(kFrames, 0.7);
    chain.BeginBlock();
    chain.Process(block.Io(), kFrames);
    run.builtins = builtins.get();
    run.output = block.left;
}

TEST(BuiltinCurvesThreads, FirstUseOnTwoThreadsBuildsOneCompleteSet)
{
    ThreadSignal start;
    std::array<ChainRun, 2> runs;
    const auto body = [&](ChainRun& run) {
        ASSERT_TRUE(start.Wait("the start of both threads"));
        BuildAndRun(run);
    };
    TestThread first("the first thread", [&] { body(runs[0]); });
    TestThread second("the second thread", [&] { body(runs[1]); });
    start.Raise();
    first.Join();
    second.Join();

    ChainRun alone;
    BuildAndRun(alone);
    for (const ChainRun& run : runs)
    {
        EXPECT_EQ(run.builtins, alone.builtins);
        EXPECT_EQ(run.output, alone.output);
    }
}
} // namespace
