#include "tools/fuzzcorpus/HostSeeds.h"

#include "framework/vst2/Vst2Constants.h"
#include "plugin/Zarvotone.h"

#include <initializer_list>
#include <iterator>
#include <string>

namespace
{
constexpr VstInt32 kBankChunk = 0;
constexpr VstInt32 kProgramChunk = 1;
// The first byte of a chunk seed picks the chunk: odd for the program, even for the bank.
constexpr uint8_t kPickProgram = 1;
constexpr uint8_t kPickBank = 0;
// The first byte of a state seed: 0 reads the stream at once, n reads n * 256 bytes at a time.
constexpr uint8_t kWholeStream = 0;
constexpr uint8_t kSmallPieces = 1;
// Presets a small bank keeps; the others are written as never filled.
constexpr int kPresetsKeptInBank = 2;
constexpr int kVariedPreset = 20;
constexpr double kTextPositions[] = {0.0, 0.5, 1.0};

void AppendInt32(Bytes& bytes, int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i)));
}

Bytes Header(int32_t version)
{
    Bytes bytes;
    AppendInt32(bytes, IEffectBase::kChunkMagic);
    AppendInt32(bytes, version);
    return bytes;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes joined;
    for (const Bytes& part : parts)
        joined.insert(joined.end(), part.begin(), part.end());
    return joined;
}

Bytes Chunk(Zarvotone& plugin, VstInt32 index)
{
    AEffect* effect = plugin.GetEffect();
    void* data = nullptr;
    const VstIntPtr size = effect->dispatcher(effect, effGetChunk, index, 0, &data, 0.0f);
    const auto* bytes = static_cast<const uint8_t*>(data);
    return Bytes(bytes, bytes + (size > 0 ? size : 0));
}

Bytes Block(Zarvotone& plugin)
{
    StateChunk chunk;
    plugin.SerializeState(chunk);
    return Bytes(chunk.Data(), chunk.Data() + chunk.Size());
}
}

std::vector<Seed> MakeHostSeeds()
{
    auto* plugin = new Zarvotone(nullptr);
    AEffect* effect = plugin->GetEffect();
    effect->dispatcher(effect, effSetProgram, 0, kVariedPreset, nullptr, 0.0f);
    const Bytes block = Block(*plugin);

    std::vector<Seed> seeds = {
        {"vst2_chunk/program", Join({{kPickProgram}, Chunk(*plugin, kProgramChunk)})},
        {"vst2_chunk/program-without-header", Join({{kPickProgram}, block})},
        {"vst2_chunk/program-version-0", Join({{kPickProgram}, Header(0), block})},
        {"vst2_chunk/bank-version-0", Join({{kPickBank}, Header(0), block})},
        {"vst3_state/state", Join({{kWholeStream}, block, {0, 0, 0, 0}})},
        {"vst3_state/state-bypassed-in-pieces", Join({{kSmallPieces}, block, {1, 0, 0, 0}})},
    };

    for (int i = 0; i < plugin->GetParamCount(); ++i)
    {
        const IParameter* param = plugin->GetParam(i);
        for (size_t p = 0; p < std::size(kTextPositions); ++p)
        {
            char text[64];
            param->GetDisplayText(kTextPositions[p], true, text, true, sizeof text);
            const std::string name = "param-" + std::to_string(i) + "-" + std::to_string(p);
            Bytes narrow = {static_cast<uint8_t>(i)};
            Bytes wide = {static_cast<uint8_t>(i)};
            for (const char* c = text; *c != '\0'; ++c)
            {
                narrow.push_back(static_cast<uint8_t>(*c));
                wide.insert(wide.end(), {static_cast<uint8_t>(*c), 0});
            }
            seeds.push_back({"vst2_param_text/" + name, narrow});
            seeds.push_back({"vst3_param_text/" + name, wide});
        }
    }

    effect->dispatcher(effect, effSetProgram, 0, 0, nullptr, 0.0f);
    for (int i = kPresetsKeptInBank; i < plugin->GetPresetCount(); ++i)
        plugin->GetPreset(i)->initialised = false;
    seeds.push_back({"vst2_chunk/bank", Join({{kPickBank}, Chunk(*plugin, kBankChunk)})});
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    return seeds;
}
