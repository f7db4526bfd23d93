// The bank chunk as a host hands it back: whatever the bytes, the preset records are read
// without going past the chunk, every preset name stays terminated and the state stays sound.
// Every input follows the chunk header; with its first bit set, a first record holding a valid
// state block comes before the fuzzed records.
#include "framework/vst2/Vst2Constants.h"
#include "fuzz/FuzzedPlugin.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
constexpr VstInt32 kBankChunk = 0;

void AppendInt32(std::vector<uint8_t>& bytes, int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i)));
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    Zarvotone& plugin = FuzzedPlugin();
    static const std::vector<uint8_t> valid = StateOf(plugin);

    std::vector<uint8_t> bytes;
    AppendInt32(bytes, IEffectBase::kChunkMagic);
    AppendInt32(bytes, IEffectBase::kChunkVersion);
    if ((data[0] & 1) != 0)
    {
        AppendInt32(bytes, 1);
        bytes.push_back('A');
        bytes.push_back(1);
        bytes.insert(bytes.end(), valid.begin(), valid.end());
    }
    bytes.insert(bytes.end(), data + 1, data + size);

    AEffect* effect = plugin.GetEffect();
    effect->dispatcher(effect, effSetChunk, kBankChunk, static_cast<VstIntPtr>(bytes.size()), bytes.data(), 0.0f);
    for (int i = 0; i < plugin.GetPresetCount(); ++i)
        if (std::memchr(plugin.GetPreset(i)->name, '\0', PresetSlot::kNameSize) == nullptr)
            std::abort();
    CheckPluginState(plugin);
    return 0;
}
