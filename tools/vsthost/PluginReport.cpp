#include "tools/vsthost/PluginReport.h"

#include "framework/vst2/Vst2Constants.h"
#include "tools/vsthost/PluginInstance.h"

#include <cctype>
#include <cstdint>
#include <string>

namespace
{
struct FlagName
{
    VstInt32 flag;
    const char* name;
};

constexpr FlagName kFlagNames[] = {
    {effFlagsHasEditor, "editor"},
    {effFlagsCanMono, "mono"},
    {effFlagsCanReplacing, "replacing"},
    {effFlagsProgramChunks, "chunks"},
    {effFlagsIsSynth, "synth"},
    {effFlagsCanDoubleReplacing, "double"},
};

std::string FlagList(VstInt32 flags)
{
    std::string list;
    for (const FlagName& entry : kFlagNames)
    {
        if (!(flags & entry.flag))
            continue;
        if (!list.empty())
            list += ' ';
        list += entry.name;
    }
    return list.empty() ? "none" : list;
}

void PrintParameters(const PluginInstance& plugin, std::FILE* out)
{
    AEffect* effect = plugin.Effect();
    for (VstInt32 i = 0; i < effect->numParams; ++i)
    {
        const std::string name = plugin.Text(effGetParamName, i);
        const std::string display = plugin.Text(effGetParamDisplay, i);
        const std::string label = plugin.Text(effGetParamLabel, i);
        const float value = effect->getParameter(effect, i);
        std::fprintf(out, "  param %3d  %-32s %s%s%s  (%.6f)\n", i, name.c_str(), display.c_str(),
                     label.empty() ? "" : " ", label.c_str(), value);
    }
}

void PrintPrograms(const PluginInstance& plugin, std::FILE* out)
{
    AEffect* effect = plugin.Effect();
    for (VstInt32 i = 0; i < effect->numPrograms; ++i)
        std::fprintf(out, "  program %3d  %s\n", i, plugin.Text(effGetProgramNameIndexed, i).c_str());
}
}

void PluginReport::FormatFourCharacters(int32_t id, char (&text)[5])
{
    for (int i = 0; i < 4; ++i)
    {
        const auto character = static_cast<unsigned char>(static_cast<uint32_t>(id) >> (24 - 8 * i));
        text[i] = std::isprint(character) ? static_cast<char>(character) : '.';
    }
    text[4] = '\0';
}

void PluginReport::Print(const PluginInstance& plugin, bool brief, std::FILE* out)
{
    AEffect* effect = plugin.Effect();
    char uniqueId[5];
    FormatFourCharacters(effect->uniqueID, uniqueId);
    std::fprintf(out, "name:           %s\n", plugin.Text(effGetEffectName).c_str());
    std::fprintf(out, "vendor:         %s\n", plugin.Text(effGetVendorString).c_str());
    std::fprintf(out, "product:        %s\n", plugin.Text(effGetProductString).c_str());
    std::fprintf(out, "vendor version: %lld\n", static_cast<long long>(plugin.Dispatch(effGetVendorVersion)));
    std::fprintf(out, "version:        %d\n", effect->version);
    std::fprintf(out, "unique id:      '%s' (0x%08X)\n", uniqueId, static_cast<uint32_t>(effect->uniqueID));
    std::fprintf(out, "VST version:    %lld\n", static_cast<long long>(plugin.Dispatch(effGetVstVersion)));
    std::fprintf(out, "category:       %lld\n", static_cast<long long>(plugin.Dispatch(effGetPlugCategory)));
    std::fprintf(out, "flags:          0x%X (%s)\n", static_cast<uint32_t>(effect->flags),
                 FlagList(effect->flags).c_str());
    std::fprintf(out, "channels:       %d in, %d out\n", effect->numInputs, effect->numOutputs);
    std::fprintf(out, "latency:        %d samples\n", effect->initialDelay);
    std::fprintf(out, "parameters:     %d\n", effect->numParams);
    if (!brief)
        PrintParameters(plugin, out);
    std::fprintf(out, "programs:       %d\n", effect->numPrograms);
    if (!brief)
        PrintPrograms(plugin, out);
}
