// effString2Parameter with any text a host may send: the first byte picks the parameter, the
// rest is the text. Whatever it says, the parameter stays finite and within its range.
#include "framework/vst2/Vst2Constants.h"
#include "fuzz/FuzzedPlugin.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    Zarvotone& plugin = FuzzedPlugin();
    const VstInt32 index = data[0] % plugin.GetParamCount();
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    AEffect* effect = plugin.GetEffect();
    effect->dispatcher(effect, effString2Parameter, index, 0, text.data(), 0.0f);
    CheckPluginState(plugin);
    return 0;
}
