#include "tests/plugin/Vst2ChangeRender.h"

#include "framework/vst2/Vst2Constants.h"

namespace ChangeMeasure
{
const std::vector<StartingPoint>& StartingPoints()
{
    static const std::vector<StartingPoint> points = {
        {"neutral", {}},
        {"distortion on", {{kParamPreFilterProcess, 1.0}, {kParamDistortionAmount, 0.6}}},
        {"sub-band on", {{kParamSubBandOn, 1.0}, {kParamSubBandSaturation, 0.5}, {kParamSubBandDistortion, 0.5}}},
    };
    return points;
}

void Prepare(PluginRig& rig, const StartingPoint& start)
{
    rig.Dispatch(effSetProgram, 0, 0);
    for (const auto& [index, value] : start.values)
        rig.Set(index, value);
}

BlockPlayer Vst2Player(PluginRig& rig, std::function<void(int played, int changeFrame)> beforeBlock)
{
    return [&rig, beforeBlock, played = 0](double* input, double* left, double* right, int frames,
                                           int changeFrame) mutable {
        beforeBlock(played, changeFrame);
        played += frames;
        AEffect* effect = rig.plugin.GetEffect();
        double* in[2] = {input, input};
        double* out[2] = {left, right};
        effect->processDoubleReplacing(effect, in, out, frames);
    };
}

Render RenderChange(PluginRig& rig, double rate, int block, const std::function<void()>& change, Tone tone)
{
    const BlockPlayer play = Vst2Player(rig, [&change](int, int changeFrame) {
        if (changeFrame == 0 && change)
            change();
    });
    return RenderChange(rate, block, 0, play, tone);
}
} // namespace ChangeMeasure
