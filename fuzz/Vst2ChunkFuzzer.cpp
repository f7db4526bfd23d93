// effSetChunk as a host or a damaged project hands it over: any header or none, old versions,
// program and bank forms. The first byte picks the chunk (odd: program, even: bank); the rest
// is the chunk itself. A refused chunk changes nothing; an accepted one leaves a sound state,
// and every preset name stays terminated.
#include "framework/vst2/Vst2Constants.h"
#include "fuzz/FuzzedPlugin.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
constexpr VstInt32 kBankChunk = 0;
constexpr VstInt32 kProgramChunk = 1;

std::vector<uint8_t> BankOf(Zarvotone& plugin)
{
    AEffect* effect = plugin.GetEffect();
    void* data = nullptr;
    const VstIntPtr size = effect->dispatcher(effect, effGetChunk, kBankChunk, 0, &data, 0.0f);
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + (size > 0 ? size : 0));
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    Zarvotone& plugin = FuzzedPlugin();
    const VstInt32 index = (data[0] & 1) != 0 ? kProgramChunk : kBankChunk;
    std::vector<uint8_t> chunk(data + 1, data + size);

    const std::vector<uint8_t> stateBefore = StateOf(plugin);
    const std::vector<uint8_t> bankBefore = BankOf(plugin);
    AEffect* effect = plugin.GetEffect();
    const VstIntPtr loaded =
        effect->dispatcher(effect, effSetChunk, index, static_cast<VstIntPtr>(chunk.size()), chunk.data(), 0.0f);
    if (loaded == 0 && (StateOf(plugin) != stateBefore || BankOf(plugin) != bankBefore))
        std::abort();
    for (int i = 0; i < plugin.GetPresetCount(); ++i)
        if (std::memchr(plugin.GetPreset(i)->name, '\0', PresetSlot::kNameSize) == nullptr)
            std::abort();
    CheckPluginState(plugin);
    return 0;
}
