#include "fuzz/FuzzedPlugin.h"

#include "fuzz/CurveCheck.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

Zarvotone& FuzzedPlugin()
{
    static Zarvotone* plugin = new Zarvotone(nullptr);
    return *plugin;
}

std::vector<uint8_t> StateOf(Zarvotone& plugin)
{
    StateChunk chunk;
    if (!plugin.SerializeState(chunk))
        std::abort();
    return std::vector<uint8_t>(chunk.Data(), chunk.Data() + chunk.Size());
}

void CheckPluginState(Zarvotone& plugin)
{
    for (const char* text : plugin.Config().Texts())
        if (std::memchr(text, '\0', PluginConfig::kTextSize) == nullptr)
            std::abort();
    for (int i = 0; i < plugin.GetParamCount(); ++i)
    {
        const IParameter* param = plugin.GetParam(i);
        const double value = param->Value();
        if (!std::isfinite(value) || value < param->Minimum() || value > param->Maximum())
            std::abort();
    }
    for (DistortionChain* chain : plugin.Units().Chains())
        if (const DistortionCurve* curve = chain->distortion.current)
            CheckCurvePoints(*curve);
}
