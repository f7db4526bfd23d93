// getParamValueByString with any text a host may send: the first byte picks the parameter, the
// rest is the UTF-16 text, little-endian. An accepted text gives a normalised value within
// 0..1, and the value fits back into the parameter.
#include "fuzz/FuzzedPlugin.h"
#include "vst3/abi/ResultCodes.h"

#include <cmath>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    Zarvotone& plugin = FuzzedPlugin();
    static const bool initialised = plugin.initialize(nullptr) == Vst3::kResultOk;
    if (!initialised)
        std::abort();
    const auto id = static_cast<Vst3::ParamID>(data[0] % plugin.GetParamCount());
    std::vector<Vst3::char16> text;
    for (size_t i = 1; i + 1 < size; i += 2)
        text.push_back(static_cast<Vst3::char16>(data[i] | data[i + 1] << 8));
    text.push_back(0);

    Vst3::ParamValue normalised = -1.0;
    if (plugin.getParamValueByString(id, text.data(), normalised) != Vst3::kResultOk)
        return 0;
    if (!(normalised >= 0.0 && normalised <= 1.0))
        std::abort();
    if (plugin.setParamNormalized(id, normalised) != Vst3::kResultOk)
        std::abort();
    CheckPluginState(plugin);
    return 0;
}
