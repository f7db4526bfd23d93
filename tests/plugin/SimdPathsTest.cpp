// The whole effect with the portable loops forced and with the widest ones this processor
// has: a processor without AVX2 hears what this one hears.

#include "tests/plugin/PluginRig.h"
#include "tests/support/EveryUnitOversampled.h"
#include "tests/support/SimdLevels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{

StereoSignal RenderEveryUnit(SimdLevel level, const StereoSignal& input)
{
    const SimdLimit limit(level);
    PluginRig rig;
    SetEveryUnitOversampled(rig);
    return rig.Render(input, PluginRig::kBlock);
}

TEST(SimdPaths, EveryUnitOversampledSoundsTheSameWithThePortableLoopsForced)
{
    const StereoSignal input = MakeNoise(static_cast<int>(PluginRig::kRate / 2), 0.5);
    const StereoSignal portable = RenderEveryUnit(SimdLevel::kPortable, input);
    for (const SimdLevel level : SimdLevelsHere())
    {
        const StereoSignal out = RenderEveryUnit(level, input);
        double largest = 0.0;
        double loudest = 0.0;
        for (size_t i = 0; i < out.left.size(); ++i)
        {
            largest = std::max({largest, std::fabs(out.left[i] - portable.left[i]),
                                std::fabs(out.right[i] - portable.right[i])});
            loudest = std::max({loudest, std::fabs(portable.left[i]), std::fabs(portable.right[i])});
        }
        EXPECT_GT(loudest, 0.01) << "the render is silent";
        EXPECT_LE(largest, kSimdTolerance) << "level " << static_cast<int>(level);
    }
}

} // namespace
