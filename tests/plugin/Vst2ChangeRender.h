#pragma once
// Changes measured through the VST2 double entry, made at a block boundary.

#include "tests/plugin/ChangeMeasure.h"
#include "tests/plugin/PluginRig.h"

#include <functional>
#include <utility>
#include <vector>

namespace ChangeMeasure
{
// Program 0 with settings on top: a neutral program, one with the distortion on and one with
// the sub-band on.
struct StartingPoint
{
    const char* name;
    std::vector<std::pair<int, double>> values;
};
const std::vector<StartingPoint>& StartingPoints();
void Prepare(PluginRig& rig, const StartingPoint& start);

// Plays each block through the rig's double entry, the sine on both channels, after
// `beforeBlock` with the frames played so far and the frame of the block where the change comes.
BlockPlayer Vst2Player(PluginRig& rig, std::function<void(int played, int changeFrame)> beforeBlock);

// Renders the sine in blocks of `block`; `change` runs before the first block that starts at or
// after the settle time.
Render RenderChange(PluginRig& rig, double rate, int block, const std::function<void()>& change, Tone tone = {});
} // namespace ChangeMeasure
