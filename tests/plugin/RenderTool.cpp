// Renders a fixed set of settings through the effect and either writes the result as raw
// little-endian doubles or compares it with such a file. Run natively with --write and under
// Wine with --compare, it shows that both builds compute the same audio.

#include "framework/vst2/Vst2Constants.h"
#include "tests/plugin/PluginRig.h"
#include "tests/plugin/RenderFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace
{
constexpr int kFrames = 22050;
constexpr double kTolerance = 1e-9;

struct Setting
{
    int index;
    double value;
};

struct Render
{
    const char* name;
    int program;
    std::vector<Setting> settings;
};

const std::vector<Render>& Renders()
{
    static const std::vector<Render> renders = {
        {"program 0", 0, {}},
        {"program 81", 81, {}},
        {"distortion before the filter", 0, {{kParamDistortionAmount, 0.8}, {kParamDistortionType, 22.0 / 80.0},
                                              {kParamPreFilterProcess, 1.0}, {kParamFilterCutoff, 0.6},
                                              {kParamFilterResonance, 0.5}}},
        {"oversampled shapers and limiter", 0, {{kParamOversampling, 1.0}, {kParamInputSaturation, 0.6},
                                                {kParamShaperAmount, 0.5}, {kParamOutputSaturation, 0.4},
                                                {kParamLimiterMode, 1.0}, {kParamAutoMakeUp, 1.0}}},
        {"elliptic filters and sub band", 0, {{kParamFilter1Type, 14.0 / 30.0}, {kParamFilter2Type, 15.0 / 30.0},
                                              {kParamFilterCutoff, 0.55}, {kParamSubBandSaturation, 0.7},
                                              {kParamSubBandDistortion, 0.5}, {kParamHqFilter, 1.0}}},
    };
    return renders;
}

std::vector<double> RenderAll()
{
    std::vector<double> samples;
    const StereoSignal input = MakeNoise(kFrames, 0.8);
    for (const Render& render : Renders())
    {
        PluginRig rig;
        rig.Dispatch(effSetProgram, 0, render.program);
        for (const Setting& setting : render.settings)
            rig.Set(setting.index, setting.value);
        const StereoSignal output = rig.Render(input, PluginRig::kBlock);
        samples.insert(samples.end(), output.left.begin(), output.left.end());
        samples.insert(samples.end(), output.right.begin(), output.right.end());
    }
    return samples;
}

// Each render is compared relative to its own peak, so silence and zero crossings count fairly.
int Compare(const std::vector<double>& reference, const std::vector<double>& samples)
{
    if (reference.size() != samples.size())
    {
        std::printf("sample counts differ: %zu and %zu\n", reference.size(), samples.size());
        return 1;
    }
    const size_t perRender = 2 * static_cast<size_t>(kFrames);
    int failures = 0;
    for (size_t r = 0; r < Renders().size(); ++r)
    {
        double peak = 0.0;
        double worst = 0.0;
        for (size_t i = r * perRender; i < (r + 1) * perRender; ++i)
        {
            peak = std::max(peak, std::fabs(reference[i]));
            worst = std::max(worst, std::fabs(reference[i] - samples[i]));
        }
        const double relative = peak > 0.0 ? worst / peak : worst;
        const bool agrees = relative <= kTolerance;
        std::printf("%-36s peak %.6f  largest difference %.3g relative %s\n", Renders()[r].name, peak, relative,
                    agrees ? "ok" : "TOO LARGE");
        failures += agrees ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
}

int main(int argc, char** argv)
{
    return RunRenderTool(argc, argv, "plugin_render", RenderAll, Compare);
}
