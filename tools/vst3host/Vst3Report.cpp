#include "tools/vst3host/Vst3Report.h"

#include "tools/vst3host/EffectInstance.h"

#include <cctype>
#include <iterator>

namespace
{
constexpr char16_t kLargestNarrowUnit = 0xFF;
constexpr int32_t kProgramsShown = 8;

std::string IdBytes(const uint8_t (&cid)[16])
{
    std::string text;
    char hex[3];
    for (uint8_t byte : cid)
    {
        std::snprintf(hex, sizeof hex, "%02X", byte);
        text += hex;
    }
    return text;
}

void PrintBuses(const EffectInstance& effect, int32_t direction, std::FILE* out)
{
    const auto& component = effect.Component();
    const int32_t count = component.getBusCount(effect.ComponentObject(), kAudioMedia, direction);
    for (int32_t index = 0; index < count; ++index)
    {
        BusInfoRecord bus{};
        if (component.getBusInfo(effect.ComponentObject(), kAudioMedia, direction, index, &bus) != kComOk)
            continue;
        uint64_t arrangement = 0;
        effect.Processor().getBusArrangement(effect.ProcessorObject(), direction, index, &arrangement);
        std::fprintf(out, "%s bus %d: \"%s\", %d channels, arrangement 0x%llX, type %d, flags %u\n",
                     direction == kInputDirection ? "input" : "output", index,
                     Vst3Report::Narrow(bus.name, std::size(bus.name)).c_str(), bus.channelCount,
                     static_cast<unsigned long long>(arrangement), bus.busType, bus.flags);
    }
}

void PrintParameters(const EffectInstance& effect, bool brief, std::FILE* out)
{
    const auto& controller = effect.Controller();
    void* object = effect.ControllerObject();
    const int32_t count = controller.getParameterCount(object);
    std::fprintf(out, "parameters: %d\n", count);
    for (int32_t index = 0; index < count && !brief; ++index)
    {
        ParamInfoRecord info{};
        if (controller.getParameterInfo(object, index, &info) != kComOk)
            continue;
        char16_t text[128] = {};
        const bool hasText =
            controller.getParamStringByValue(object, info.id, controller.getParamNormalized(object, info.id), text) ==
            kComOk;
        std::fprintf(out, "  %3d id %-6s \"%s\" [%s] steps %d default %.6f unit %d flags 0x%X: %s\n", index,
                     Vst3Report::ParamIdText(info.id).c_str(),
                     Vst3Report::Narrow(info.title, std::size(info.title)).c_str(),
                     Vst3Report::Narrow(info.units, std::size(info.units)).c_str(), info.stepCount,
                     info.defaultNormalizedValue, info.unitId, static_cast<unsigned>(info.flags),
                     hasText ? Vst3Report::Narrow(text, std::size(text)).c_str() : "(no text)");
    }
}

void PrintUnits(const EffectInstance& effect, bool brief, std::FILE* out)
{
    const UnitInfoTable* units = effect.Units();
    if (!units)
    {
        std::fprintf(out, "units: none\n");
        return;
    }
    void* object = effect.UnitsObject();
    const int32_t unitCount = units->getUnitCount(object);
    std::fprintf(out, "units: %d\n", unitCount);
    for (int32_t index = 0; index < unitCount && !brief; ++index)
    {
        UnitInfoRecord info{};
        if (units->getUnitInfo(object, index, &info) != kComOk)
            continue;
        const std::string list =
            info.programListId < 0 ? "none" : Vst3Report::ParamIdText(static_cast<uint32_t>(info.programListId));
        std::fprintf(out, "  unit %d \"%s\" parent %d program list %s\n", info.id,
                     Vst3Report::Narrow(info.name, std::size(info.name)).c_str(), info.parentUnitId, list.c_str());
    }
    const int32_t listCount = units->getProgramListCount(object);
    for (int32_t list = 0; list < listCount; ++list)
    {
        ProgramListRecord info{};
        if (units->getProgramListInfo(object, list, &info) != kComOk)
            continue;
        std::fprintf(out, "program list %s \"%s\": %d programs\n",
                     Vst3Report::ParamIdText(static_cast<uint32_t>(info.id)).c_str(),
                     Vst3Report::Narrow(info.name, std::size(info.name)).c_str(), info.programCount);
        for (int32_t program = 0; program < info.programCount && program < kProgramsShown && !brief; ++program)
        {
            char16_t name[128] = {};
            units->getProgramName(object, info.id, program, name);
            std::fprintf(out, "  %3d %s\n", program, Vst3Report::Narrow(name, std::size(name)).c_str());
        }
    }
}
}

std::string Vst3Report::Narrow(const char16_t* text, size_t capacity)
{
    std::string narrow;
    for (size_t i = 0; i < capacity && text[i] != u'\0'; ++i)
        narrow += text[i] <= kLargestNarrowUnit ? static_cast<char>(text[i]) : '?';
    return narrow;
}

std::string Vst3Report::FieldText(const char* field, size_t width)
{
    size_t length = 0;
    while (length < width && field[length] != '\0')
        ++length;
    return std::string(field, length);
}

std::string Vst3Report::ParamIdText(uint32_t id)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
    {
        const auto character = static_cast<unsigned char>(id >> shift);
        if (!std::isprint(character))
            return std::to_string(id);
        text += static_cast<char>(character);
    }
    return "'" + text + "'";
}

void Vst3Report::PrintFactory(const FactoryInfoRecord& info, std::FILE* out)
{
    std::fprintf(out, "factory: vendor \"%s\", url \"%s\", e-mail \"%s\", flags %d\n",
                 FieldText(info.vendor, sizeof info.vendor).c_str(), FieldText(info.url, sizeof info.url).c_str(),
                 FieldText(info.email, sizeof info.email).c_str(), info.flags);
}

void Vst3Report::PrintClass(int32_t index, const ClassInfo2Record& info, std::FILE* out)
{
    std::fprintf(out,
                 "class %d: \"%s\" id %s, category \"%s\", sub-categories \"%s\", version \"%s\", sdk \"%s\", "
                 "vendor \"%s\", flags %u, cardinality 0x%X\n",
                 index, FieldText(info.name, sizeof info.name).c_str(), IdBytes(info.cid).c_str(),
                 FieldText(info.category, sizeof info.category).c_str(),
                 FieldText(info.subCategories, sizeof info.subCategories).c_str(),
                 FieldText(info.version, sizeof info.version).c_str(),
                 FieldText(info.sdkVersion, sizeof info.sdkVersion).c_str(),
                 FieldText(info.vendor, sizeof info.vendor).c_str(), info.classFlags,
                 static_cast<unsigned>(info.cardinality));
}

void Vst3Report::PrintEffect(const EffectInstance& effect, bool brief, std::FILE* out)
{
    PrintBuses(effect, kInputDirection, out);
    PrintBuses(effect, kOutputDirection, out);
    std::fprintf(out, "latency %u, tail %u\n", effect.Processor().getLatencySamples(effect.ProcessorObject()),
                 effect.Processor().getTailSamples(effect.ProcessorObject()));
    PrintParameters(effect, brief, out);
    PrintUnits(effect, brief, out);
}
