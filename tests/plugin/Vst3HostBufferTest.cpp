// Every frame of every host block is written through the VST3 binding, whatever cuts the block
// gets: at parameter points inside it and at the quiet point of a program change.

#include "plugin/ParamIndex.h"
#include "tests/plugin/HostPattern.h"
#include "tests/plugin/Vst3ProcessRig.h"
#include "tests/vst3/TestParameterChanges.h"

#include <gtest/gtest.h>

#include "vst3/abi/ResultCodes.h"

#include <cmath>
#include <utility>

namespace
{
// Program changes a user makes during playback, the last one while the one before fades in.
constexpr std::pair<double, int> kProgramChanges[] = {{0.1, 56}, {0.3, 85}, {0.37, 94}};
constexpr int kFirstProgram = 47;
constexpr double kSeconds = 0.5;
constexpr int kPresetCount = 128;

TEST(Vst3HostBuffers, EveryFrameIsWrittenAcrossProgramChangesAndPoints)
{
    for (const double rate : {44100.0, 48000.0, 96000.0})
        for (const int block : {64, 512, 1024})
        {
            SCOPED_TRACE(testing::Message() << block << "-frame blocks at " << rate << " Hz");
            Vst3ProcessRig rig(block, rate);
            TestParameterChanges first;
            first.Add(IEffectVST3::kProgramParamId, static_cast<double>(kFirstProgram) / kPresetCount);
            ASSERT_EQ(rig.Process(&first), Vst3::kResultOk);
            const int blocks = static_cast<int>(kSeconds * rate) / block;
            size_t nextChange = 0;
            for (int b = 1; b < blocks; ++b)
            {
                // Each change comes a third into its block, and a volume point cuts the block again.
                TestParameterChanges changes;
                if (nextChange < std::size(kProgramChanges) && b * block >= kProgramChanges[nextChange].first * rate)
                    changes.Add(IEffectVST3::kProgramParamId,
                                static_cast<double>(kProgramChanges[nextChange++].second) / kPresetCount, block / 3);
                changes.Add(kParamVolume, b % 2 == 0 ? 0.9 : 0.8, 2 * block / 3);
                rig.FillOutputs(kHostPattern);
                ASSERT_EQ(rig.Process(&changes), Vst3::kResultOk);
                for (int c = 0; c < 2; ++c)
                    EXPECT_EQ(FirstUnwrittenFrame(rig.Output(c)), -1) << "channel " << c << ", block " << b;
            }
        }
}
} // namespace
