#include "tools/fuzzcorpus/FileSeeds.h"

#include "dsp/units/curves/CurveActions.h"
#include "dsp/units/curves/CurveId.h"
#include "framework/vst2/Vst2Constants.h"
#include "plugin/ParamIndex.h"
#include "plugin/Zarvotone.h"
#include "tests/dsp_units_files/TempFile.h"
#include "tools/fuzzcorpus/WavFormatSeeds.h"

#include <bit>
#include <cstdio>
#include <functional>
#include <string>

namespace
{
// The VST2 program file target reads the input after three bytes as the file when the first
// of them is even.
const Bytes kWholeFile = {0, 0, 0};
// The curve text target reads a full curve when the first byte is 0.
const Bytes kFullCurve = {0};

// The program whose values also make a program file of the parameter form.
constexpr int kParameterFormProgram = 20;
constexpr size_t kFxpFieldSize = 4;
constexpr size_t kFxpByteSizeOffset = 4;
constexpr size_t kFxpFormatOffset = 8;
constexpr size_t kFxpFieldsBeforeValues = 56;
// The byte size counts what follows its own field.
constexpr size_t kFxpCountedFrom = kFxpByteSizeOffset + kFxpFieldSize;
constexpr uint32_t kParameterFormMagic = 0x4678436B; // "FxCk"

// A straight line, a hard clip, a stored table and a curve edited by a curve action.
struct CurveChoice
{
    const char* name;
    CurveId id;
    uint32_t action;
};
constexpr CurveChoice kCurves[] = {
    {"curve-00", 0, kNoCurveAction},
    {"curve-11", 11, kNoCurveAction},
    {"curve-61", 61, kNoCurveAction},
    {"curve-48-quantized-8", 48, kQuantize8},
};

Bytes Join(const Bytes& prefix, const Bytes& bytes)
{
    Bytes joined = prefix;
    joined.insert(joined.end(), bytes.begin(), bytes.end());
    return joined;
}

// What a writer puts into a file with the given extension.
Bytes Written(const std::string& extension, const std::function<void(const std::string&)>& write)
{
    const TempFile file(extension);
    write(file.Path());
    const std::string bytes = file.Read();
    return Bytes(bytes.begin(), bytes.end());
}

std::string ProgramName(int index)
{
    char name[16];
    std::snprintf(name, sizeof name, "program-%03d", index);
    return name;
}

// The text as the Windows build writes it, whose text mode ends lines with CR LF.
Bytes WithCrLf(const Bytes& text)
{
    Bytes converted;
    for (uint8_t c : text)
    {
        if (c == '\n')
            converted.push_back('\r');
        converted.push_back(c);
    }
    return converted;
}

void PutBigEndian(Bytes& bytes, size_t offset, uint32_t value)
{
    for (size_t i = 0; i < kFxpFieldSize; ++i)
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * (kFxpFieldSize - 1 - i)));
}

// The parameter form of a program file, which the plug-in reads but never writes: the written
// file's header with another format, then every parameter's normalised value as a big-endian
// float.
Bytes ParameterForm(const Bytes& chunkForm, Zarvotone& plugin)
{
    Bytes file(chunkForm.begin(), chunkForm.begin() + kFxpFieldsBeforeValues);
    PutBigEndian(file, kFxpFormatOffset, kParameterFormMagic);
    for (int i = 0; i < plugin.GetParamCount(); ++i)
    {
        file.resize(file.size() + kFxpFieldSize);
        const auto value = static_cast<float>(plugin.GetParam(i)->GetNormalized());
        PutBigEndian(file, file.size() - kFxpFieldSize, std::bit_cast<uint32_t>(value));
    }
    PutBigEndian(file, kFxpByteSizeOffset, static_cast<uint32_t>(file.size() - kFxpCountedFrom));
    return file;
}

void SelectCurve(Zarvotone& plugin, const CurveChoice& curve)
{
    plugin.GetParam(kParamDistortionType)->SetNormalized(static_cast<double>(curve.id) / kLastCurveId);
    plugin.ParamChanged(kParamDistortionType);
    if (curve.action != kNoCurveAction)
        plugin.ApplyCurveAction(static_cast<int>(curve.action));
}
}

std::vector<Seed> MakeFileSeeds()
{
    auto* plugin = new Zarvotone(nullptr);
    AEffect* effect = plugin->GetEffect();
    // Saving records the file's path in the settings, which every later file would carry: each
    // program is saved with the settings of a new instance.
    const PluginConfig newSettings = plugin->Config();

    std::vector<Seed> seeds;
    for (int i = 0; i < plugin->GetPresetCount(); ++i)
    {
        effect->dispatcher(effect, effSetProgram, 0, i, nullptr, 0.0f);
        const Bytes text = Written(".wz", [&](const std::string& path) {
            plugin->Config() = newSettings;
            plugin->SaveProgramFile(path);
        });
        const Bytes fxp = Written(".fxp", [&](const std::string& path) {
            plugin->Config() = newSettings;
            plugin->SaveFxpFile(path);
        });
        seeds.push_back({"program_text/" + ProgramName(i), text});
        seeds.push_back({"fxp_file/" + ProgramName(i), Join(kWholeFile, fxp)});
        if (i == 0)
            seeds.push_back({"program_text/" + ProgramName(i) + "-crlf", WithCrLf(text)});
        if (i == kParameterFormProgram)
            seeds.push_back({"fxp_file/" + ProgramName(i) + "-parameters", Join(kWholeFile, ParameterForm(fxp, *plugin))});
    }

    for (const CurveChoice& curve : kCurves)
    {
        SelectCurve(*plugin, curve);
        const std::string name = curve.name;
        const Bytes csv = Written(".csv", [&](const std::string& path) { plugin->ExportCurveCsv(path); });
        const Bytes array = Written(".h", [&](const std::string& path) { plugin->ExportCurveSource(path); });
        const Bytes wav = Written(".wav", [&](const std::string& path) { plugin->ExportCurveWav(path); });
        seeds.push_back({"curve_text/csv-" + name, Join(kFullCurve, csv)});
        // Nothing reads the C array back; the comma-separated reader is the nearest to it.
        seeds.push_back({"curve_text/array-" + name, Join(kFullCurve, array)});
        seeds.push_back({"wav_reader/export-" + name, wav});
    }

    const DistortionCurve& last = *plugin->Units().Chains()[0]->distortion.current;
    for (Seed& seed : MakeWavFormatSeeds(std::vector<double>(last.Points(), last.Points() + last.count)))
        seeds.push_back(std::move(seed));
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    return seeds;
}
