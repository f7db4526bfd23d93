#include "dsp/units/curves/ShapeCatalogue.h"
#include "dsp/units/filters/FilterType.h"
#include "plugin/ProgramTextFile.h"
#include "plugin/Zarvotone.h"
#include "tests/dsp_units_files/TempFile.h"
#include "tests/plugin/StateBytes.h"
#include "tests/support/TextLines.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using Wezmark::ZarvotoneProgram;

constexpr size_t kProgramLines = 1 + 1 + 85 + 1;
constexpr size_t kSettingsLines = 8;

void SetParam(Zarvotone& plugin, int index, double value)
{
    plugin.GetParam(index)->SetPlain(value);
    plugin.ParamChanged(index);
}

// A curve text of 2048 (or `count`) values that no built-in curve holds.
std::string OwnCurveText(int count = 2048)
{
    std::string text;
    for (int i = 0; i < count; ++i)
    {
        if (i > 0)
            text += ',';
        text += std::to_string(std::sin(i * 0.01) * 0.75);
    }
    return text;
}

ZarvotoneProgram ReadProgram(const std::string& text, std::string& curveText)
{
    ZarvotoneProgram program;
    std::istringstream in(text);
    ProgramTextFile::Read(in, program, curveText);
    return program;
}

TEST(ProgramTextFile, SavedFileHoldsEveryKeyInIndexOrderThenTheSettings)
{
    Zarvotone plugin(nullptr);
    const struct
    {
        int index;
        double value;
        const char* line;
    } cases[] = {
        {0, 1.0, "InputVolume = 1;"},
        {9, 0.8, "Distortion = 0.8;"},
        {10, 1.0, "DistortionType = Thrashcore/VRN;"},
        {27, 0.1, "FilterMode1 = RBJ BandPass 2;"},
        {28, 0.2, "FilterMode2 = StateVariable HighPass;"},
        {47, 0.38915574457972946, "SubBandCutoff = 0.389156;"},
        {59, 0.5011872336272722, "LimiterLevel = 0.501187;"},
        {65, 0.5, "Reserved_01 = 0;"},
        {84, 0.5, "Reserved_20 = 0;"},
    };
    for (const auto& c : cases)
        SetParam(plugin, c.index, c.value);
    plugin.ModifyCurrentPreset("My Program");
    plugin.Config().SetLastSelectedProgramFile("before.wz");
    plugin.Config().ScopeZoom = 150.0;

    TempFile file(".wz");
    plugin.SaveProgramFile(file.Path());
    const std::vector<std::string> lines = Lines(file.Read());
    ASSERT_EQ(lines.size(), kProgramLines + kSettingsLines);
    EXPECT_EQ(lines[0], "[Zarvotone_Program]");
    EXPECT_EQ(lines[1], "Name = My Program;");
    const ZarvotoneProgram program;
    for (int index = 0; index < kTotalParamCount; ++index)
        EXPECT_EQ(lines[2 + static_cast<size_t>(index)].rfind(std::string(program.KeyOfIndex(index)) + " = ", 0), 0u)
            << index;
    for (const auto& c : cases)
        EXPECT_EQ(lines[2 + static_cast<size_t>(c.index)], c.line);

    const std::string& curveLine = lines[87];
    EXPECT_EQ(curveLine.rfind("DistortionCurveData = ", 0), 0u);
    EXPECT_EQ(curveLine.back(), ';');
    EXPECT_EQ(std::count(curveLine.begin(), curveLine.end(), ','), 2047);

    const std::vector<std::string> settings(lines.begin() + kProgramLines, lines.end());
    const std::vector<std::string> expected = {
        "[Zarvotone_Config]",          "Config.LastSelectedProgramFile = before.wz;",
        "Config.LastSelectedDistoCurveFile = ;", "UiConfig.VisibleTab = 0;",
        "UiConfig.ScopeDrawMode = 1;", "UiConfig.ScopeDrawInput = 1;",
        "UiConfig.ScopeDrawOutput = 1;", "UiConfig.ScopeZoom = 150;",
    };
    EXPECT_EQ(settings, expected);
    // The save itself becomes the last program file, after the section was written.
    EXPECT_EQ(std::string(plugin.Config().LastSelectedProgramFile), file.Path());
}

TEST(ProgramTextFile, SavedProgramLoadsBackIntoAnotherInstance)
{
    TempFile curveFile(".csv");
    curveFile.Write("0");
    Zarvotone source(nullptr);
    const struct
    {
        int index;
        double value;
    } values[] = {{0, 0.5}, {2, 0.125}, {10, 0.5}, {27, 0.4}, {28, 1.0}, {33, 0.75}, {52, 1.0}, {59, 0.25}, {63, 0.25}};
    for (const auto& v : values)
        SetParam(source, v.index, v.value);
    Wezmark::Distortion& first = source.Units().hostRate.chain1.distortion;
    first.ReserveStorage();
    ASSERT_TRUE(first.CurveFromText(OwnCurveText()));
    source.ModifyCurrentPreset("Round Trip");
    source.Config().VisibleTab = 2.0;
    source.Config().ScopeDrawInput = 0.0;
    std::strcpy(source.Config().LastSelectedDistoCurveFile, curveFile.Path().c_str());
    TempFile file(".wz");
    source.SaveProgramFile(file.Path());

    Zarvotone target(nullptr);
    target.LoadProgramFile(file.Path());
    // Saved with six significant digits; the limiter level, whose range does not start at 0,
    // comes back as it was too.
    for (int index = 0; index < kWorkingParamCount; ++index)
    {
        const double saved = source.CurrentValues().Get(index);
        EXPECT_NEAR(target.CurrentValues().Get(index), saved, 1e-6) << index;
        EXPECT_EQ(target.GetParam(index)->Value(), target.CurrentValues().Get(index)) << index;
    }
    for (const auto& v : values)
        EXPECT_EQ(target.GetParam(v.index)->Value(), v.value) << v.index;
    const DistortionCurve& saved = *source.Units().hostRate.chain1.distortion.current;
    for (DistortionChain* chain : target.Units().Chains())
        for (int32_t i = 0; i < saved.count; ++i)
            ASSERT_NEAR(chain->distortion.current->Points()[i], saved.Points()[i], 1e-10) << i;
    EXPECT_STREQ(target.GetPreset(target.GetCurrentPreset())->name, "Round Trip");
    const PluginConfig& config = target.Config();
    EXPECT_EQ(config.VisibleTab, 2.0);
    EXPECT_EQ(config.ScopeDrawInput, 0.0);
    EXPECT_EQ(std::string(config.LastSelectedDistoCurveFile), curveFile.Path());
    // The section names no existing program file, so the one just loaded stays.
    EXPECT_EQ(std::string(config.LastSelectedProgramFile), file.Path());
}

TEST(ProgramTextFile, ReaderToleratesWhatEditedFilesHold)
{
    const ZarvotoneProgram fresh;
    const struct
    {
        const char* name;
        std::string text;
        std::string programName;
        std::vector<std::pair<int, double>> values;
        std::string curveText;
    } cases[] = {
        {"blank line before the name", "[Zarvotone_Program]\n\nName = Lost;\nGate = 0.25;\n", "Basic Distortion",
         {{7, 0.25}}, ""},
        {"name cut to 32 characters", "Name = " + std::string(36, 'n') + ";\n", std::string(32, 'n'), {}, ""},
        {"blanks missing around =", "Name = A;\nInputVolume=0.5;\nGate = 0.25;\n", "A", {{0, 1.0}, {7, 0.25}}, ""},
        {"unknown key", "Name = A;\nNoSuchKey = 0.5;\nReserved_05 = 0.5;\n", "A", {}, ""},
        {"values out of range", "Name = A;\nVolume = 3;\nGate = -2;\n", "A", {{63, 1.0}, {7, 0.0}}, ""},
        {"values that are no finite number", "Name = A;\nInputVolume = nan;\nGate = inf;\nPan = -inf;\n", "A",
         {{0, 1.0}, {7, 0.0}, {53, 0.5}}, ""},
        {"curve by display name", "Name = A;\nDistortionType = Mill/Drumwarden;\n", "A", {{10, 59 / 80.0}}, ""},
        {"curve by older name", "Name = A;\nDistortionType = Fuzz-Drive;\n", "A", {{10, 15 / 80.0}}, ""},
        {"unknown curve name", "Name = A;\nDistortionType = No Such Curve;\n", "A", {{10, 0.0}}, ""},
        {"filter types by name and older name",
         "Name = A;\nFilterMode1 = Chebyshev HighPass 12dB;\nFilterMode2 = RBJ-BP;\n", "A",
         {{27, 18 / 30.0}, {28, 2 / 30.0}}, ""},
        {"CR LF line ends", "[Zarvotone_Program]\r\nName = Windows;\r\nGate = 0.25;\r\nDistortionCurveData = 1,0;\r\n",
         "Windows", {{7, 0.25}}, "1,0"},
        {"settings section ends the program", "Name = A;\n[Zarvotone_Config]\nGate = 0.25;\n", "A", {}, ""},
        {"curve line", "Name = A;\nDistortionCurveData = 0.5,0.25;\n", "A", {}, "0.5,0.25"},
        {"last line without a line break", "Name = A;\nGate = 0.25;", "A", {{7, 0.25}}, ""},
        {"line longer than a piece of the reader",
         "Name = A;\nJunk = " + std::string(300000, 'x') + ";\nGate = 0.25;\n", "A", {{7, 0.25}}, ""},
    };
    for (const auto& c : cases)
    {
        std::string curveText;
        const ZarvotoneProgram program = ReadProgram(c.text, curveText);
        EXPECT_EQ(program.Name(), c.programName) << c.name;
        EXPECT_EQ(curveText, c.curveText) << c.name;
        for (int index = 0; index < kWorkingParamCount; ++index)
        {
            double expected = fresh.GetValue(index);
            for (const auto& [changed, value] : c.values)
                if (changed == index)
                    expected = value;
            EXPECT_EQ(program.GetValue(index), expected) << c.name << ": " << index;
        }
    }
}

TEST(ProgramTextFile, EveryCurveAndFilterTypeRoundTripsByName)
{
    ZarvotoneProgram program;
    for (uint32_t curve = 0; curve < kShapeCount; ++curve)
    {
        program.SetValue(kParamDistortionType, curve / 80.0);
        std::string text;
        ProgramTextFile::AppendSection(text, "Curves", program, "");
        std::string curveText;
        EXPECT_EQ(ReadProgram(text, curveText).GetValue(kParamDistortionType), curve / 80.0) << curve;
    }
    for (int type = 0; type < kFilterTypeCount; ++type)
    {
        program.SetValue(kParamFilter1Type, type / 30.0);
        program.SetValue(kParamFilter2Type, (30 - type) / 30.0);
        std::string text;
        ProgramTextFile::AppendSection(text, "Filters", program, "");
        std::string curveText;
        const ZarvotoneProgram read = ReadProgram(text, curveText);
        EXPECT_EQ(read.GetValue(kParamFilter1Type), type / 30.0) << type;
        EXPECT_EQ(read.GetValue(kParamFilter2Type), (30 - type) / 30.0) << type;
    }
}

// Curve lines reach every chain only with all 2048 values; the parameters apply either way.
TEST(ProgramTextFile, ShortCurveLineLeavesTheCurves)
{
    const struct
    {
        int values;
        bool taken;
    } cases[] = {{2047, false}, {2048, true}, {2049, true}};
    for (const auto& c : cases)
    {
        TempFile file(".wz");
        file.Write("[Zarvotone_Program]\nName = Curve;\nGate = 0.25;\nDistortionCurveData = " + OwnCurveText(c.values) +
                   ";\n");
        Zarvotone plugin(nullptr);
        const double before = plugin.Units().hostRate.chain2.distortion.current->Points()[100];
        plugin.LoadProgramFile(file.Path());
        EXPECT_EQ(plugin.GetParam(kParamGateLevel)->Value(), 0.25) << c.values;
        for (DistortionChain* chain : plugin.Units().Chains())
        {
            const double point = chain->distortion.current->Points()[100];
            if (c.taken)
                EXPECT_NEAR(point, std::sin(1.0) * 0.75, 1e-6) << c.values;
            else
                EXPECT_EQ(point, before) << c.values;
        }
    }
}

// Numbers keep "." as their decimal point whatever locale the host has installed.
class CommaDecimals : public std::numpunct<char>
{
protected:
    char do_decimal_point() const override { return ','; }
};

TEST(ProgramTextFile, CommaDecimalLocaleChangesNothing)
{
    const std::string previousC = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE", "German_Germany.1252", "German"})
        if (std::setlocale(LC_ALL, name) != nullptr)
            break;
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));

    TempFile file(".wz");
    Zarvotone source(nullptr);
    SetParam(source, kParamGateLevel, 0.25);
    source.Config().ScopeZoom = 12.5;
    source.SaveProgramFile(file.Path());
    Zarvotone target(nullptr);
    target.LoadProgramFile(file.Path());

    std::locale::global(previous);
    std::setlocale(LC_ALL, previousC.c_str());
    const std::string text = file.Read();
    EXPECT_NE(text.find("Gate = 0.25;"), std::string::npos);
    EXPECT_NE(text.find("UiConfig.ScopeZoom = 12.5;"), std::string::npos);
    EXPECT_EQ(target.GetParam(kParamGateLevel)->Value(), 0.25);
    EXPECT_EQ(target.Config().ScopeZoom, 12.5);
}

TEST(ProgramTextFile, SettingsReaderTakesOnlyWhatItCanUse)
{
    TempFile existing(".wz");
    existing.Write("x");
    const std::string missing = existing.Path() + ".missing";
    const struct
    {
        const char* name;
        std::string text;
        std::string programFile;
        double zoom;
        double tab;
    } cases[] = {
        {"existing path", "Config.LastSelectedProgramFile = " + existing.Path() + ";\n", existing.Path(), 100.0, 0.0},
        {"missing path", "Config.LastSelectedProgramFile = " + missing + ";\n", "old.wz", 100.0, 0.0},
        {"path without its blanks", "Config.LastSelectedProgramFile =" + existing.Path() + ";\n", "old.wz", 100.0, 0.0},
        {"numbers", "UiConfig.ScopeZoom = 250;\r\nUiConfig.VisibleTab = 2;\r\n", "old.wz", 250.0, 2.0},
        {"numbers that are not finite", "UiConfig.ScopeZoom = nan;\nUiConfig.VisibleTab = inf;\n", "old.wz", 100.0, 0.0},
        {"keys anywhere in a line", "[Zarvotone_Program]\nx UiConfig.ScopeZoom = 300;\n", "old.wz", 300.0, 0.0},
    };
    for (const auto& c : cases)
    {
        PluginConfig config;
        config.SetDefaults();
        config.SetLastSelectedProgramFile("old.wz");
        std::istringstream in(c.text);
        config.Load(in);
        EXPECT_EQ(std::string(config.LastSelectedProgramFile), c.programFile) << c.name;
        EXPECT_EQ(config.ScopeZoom, c.zoom) << c.name;
        EXPECT_EQ(config.VisibleTab, c.tab) << c.name;
        EXPECT_STREQ(config.ProductName, "Zarvotone") << c.name;
    }
}

TEST(ProgramTextFile, FailedSaveKeepsTheOldFile)
{
    TempFile good(".wz");
    good.Write("good");
    const std::filesystem::path blocker = good.Path() + ".zvtmp";
    std::filesystem::create_directory(blocker);
    const struct
    {
        const char* name;
        std::string path;
    } cases[] = {
        {"no such folder", good.Path() + ".missing/program.wz"},
        {"the temporary cannot be made", good.Path()},
    };
    for (const auto& c : cases)
    {
        Zarvotone plugin(nullptr);
        plugin.SaveProgramFile(c.path);
        EXPECT_EQ(std::string(plugin.Config().LastSelectedProgramFile), c.path) << c.name;
    }
    EXPECT_EQ(good.Read(), "good");
    std::filesystem::remove(blocker);
    EXPECT_FALSE(std::filesystem::exists(good.Path() + ".missing"));
}

TEST(ProgramTextFile, SaveReplacesAnExistingFile)
{
    TempFile file(".wz");
    file.Write(std::string(100000, 'x'));
    Zarvotone plugin(nullptr);
    plugin.SaveProgramFile(file.Path());
    EXPECT_EQ(Lines(file.Read()).size(), kProgramLines + kSettingsLines);
    EXPECT_FALSE(std::filesystem::exists(file.Path() + ".zvtmp"));
}

TEST(ProgramTextFile, LoadingAMissingFileChangesNoParameter)
{
    TempFile file(".wz");
    Zarvotone plugin(nullptr);
    SetParam(plugin, kParamGateLevel, 0.25);
    plugin.Config().SetLastSelectedProgramFile(file.Path());
    const Bytes before = StateBytes(plugin);
    plugin.Config().SetLastSelectedProgramFile("elsewhere.wz");
    plugin.LoadProgramFile(file.Path());
    EXPECT_EQ(Difference(StateBytes(plugin), before), "");
}
}
