#include "dsp/units/curves/BuiltinCurves.h"
#include "dsp/units/curves/CurveActions.h"
#include "framework/StateChunk.h"
#include "framework/vst2/Vst2Constants.h"
#include "tests/dsp_units_files/TempFile.h"
#include "tests/editor_core/EditorRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace
{
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::vector<double> CurvePoints(const DistortionChain& chain)
{
    const DistortionCurve& curve = *chain.distortion.current;
    return {curve.Points(), curve.Points() + curve.count};
}

std::vector<double> Values(const DisplayCurve& values)
{
    std::vector<double> out;
    for (int32_t i = 0; i < values.Size(); ++i)
        out.push_back(values.Get(i));
    return out;
}

// What the curve editor shows after a change: the columns take the negated curve, both editors
// are back on the curve and redrawn, and the previews are those of the first chain.
void ExpectEditorsShowTheCurve(EditorRig& rig)
{
    Zarvotone& plugin = rig.plugin();
    const std::vector<double> points = CurvePoints(plugin.Units().hostRate.chain1);
    for (int32_t j = 0; j < rig.drawArea.columns.Size(); ++j)
    {
        const size_t n = static_cast<size_t>(std::floor(static_cast<double>(j) / EditorRig::kDrawAreaColumns * 2047));
        ASSERT_EQ(rig.drawArea.columns.Get(j), -points[n]) << j;
    }
    for (const CurveEditorLink& editor : {plugin.Controls().curveDrawArea, plugin.Controls().curveSignalPreview})
    {
        EXPECT_EQ(editor.state->displayMode.load(), 0);
        EXPECT_TRUE(editor.control->IsDirty());
    }
    std::array<double, DistortionChain::kCurvePreviewPoints> curve{};
    std::array<double, DistortionChain::kSignalPreviewFrames> signal{};
    plugin.Units().hostRate.chain1.ComputeCurvePreview(curve, signal);
    EXPECT_EQ(Values(plugin.Previews().curve), std::vector<double>(curve.begin(), curve.end()));
    EXPECT_EQ(Values(plugin.Previews().signal), std::vector<double>(signal.begin(), signal.end()));
}

TEST(CurveActions, WhileProcessingOnlyTheLastRequestIsAppliedByTheNextBlockOnce)
{
    EditorRig rig;
    Zarvotone& plugin = rig.plugin();
    ASSERT_TRUE(plugin.IsProcessingActive());
    const std::vector<double> before = CurvePoints(plugin.Units().hostRate.chain1);
    plugin.ApplyCurveAction(kSharpCurve);
    plugin.ApplyCurveAction(kHighPassCurve);
    EXPECT_EQ(CurvePoints(plugin.Units().hostRate.chain1), before);
    rig.drawArea.displayMode = 1;
    rig.Settle();

    rig.rig.Render(MakeNoise(64, 0.1), 64);
    EditorRig expected;
    expected.rig.Dispatch(effMainsChanged, 0, 0);
    expected.plugin().ApplyCurveAction(kHighPassCurve);
    const std::vector<double> after = CurvePoints(plugin.Units().hostRate.chain1);
    EXPECT_EQ(after, CurvePoints(expected.plugin().Units().hostRate.chain1));
    for (DistortionChain* chain : plugin.Units().Chains())
        EXPECT_EQ(CurvePoints(*chain), after);
    ExpectEditorsShowTheCurve(rig);

    rig.Settle();
    rig.rig.Render(MakeNoise(64, 0.1), 64);
    EXPECT_EQ(CurvePoints(plugin.Units().hostRate.chain1), after);
    EXPECT_FALSE(plugin.Controls().curveDrawArea.control->IsDirty());
}

TEST(CurveActions, WithoutProcessingTheyApplyAtOnceAndOthersAreIgnored)
{
    EditorRig rig;
    rig.rig.Dispatch(effMainsChanged, 0, 0);
    Zarvotone& plugin = rig.plugin();
    const std::vector<double> before = CurvePoints(plugin.Units().hostRate.chain1);
    for (int action : {-1, static_cast<int>(Zarvotone::kNoCurveAction), 99})
    {
        plugin.ApplyCurveAction(action);
        EXPECT_EQ(CurvePoints(plugin.Units().hostRate.chain1), before) << action;
    }
    plugin.ApplyCurveAction(kInvertCurve);
    EXPECT_NE(CurvePoints(plugin.Units().hostRate.chain1), before);
    ExpectEditorsShowTheCurve(rig);
}

TEST(DrawnCurve, CommitReadsTheColumnsCubicallyNegatedAndClamped)
{
    const struct
    {
        const char* name;
        std::vector<double> columns;
        // Expected curve points at 0, 1024 and 2047.
        double first;
        double middle;
        double last;
    } cases[] = {
        {"one column", {0.25}, -0.25, -0.25, -0.25},
        {"one column past the edge", {2.0}, -1.0, -1.0, -1.0},
        {"not a number", {kNaN}, 0.0, 0.0, 0.0},
        // x = 0.5 falls exactly on the second column.
        {"two columns", {-0.5, 0.5}, 0.5, -0.5, -0.5},
    };
    for (const auto& c : cases)
    {
        EditorRig rig;
        CurveEditorState drawn(static_cast<int32_t>(c.columns.size()));
        for (size_t i = 0; i < c.columns.size(); ++i)
            drawn.columns.Set(static_cast<int32_t>(i), c.columns[i]);
        rig.plugin().Controls().curveDrawArea.state = &drawn;
        rig.Settle();
        rig.plugin().CommitDrawnCurve();
        for (DistortionChain* chain : rig.plugin().Units().Chains())
        {
            const std::vector<double> points = CurvePoints(*chain);
            EXPECT_EQ(points[0], c.first) << c.name;
            EXPECT_EQ(points[1024], c.middle) << c.name;
            EXPECT_NEAR(points[2047], c.last, 1e-3) << c.name;
        }
        EXPECT_TRUE(rig.plugin().Controls().curveDrawArea.control->IsDirty()) << c.name;
        EXPECT_TRUE(rig.plugin().Controls().curveSignalPreview.control->IsDirty()) << c.name;
        // The preview's first point is the curve at its left end.
        EXPECT_EQ(rig.plugin().Previews().curve.Get(0), c.first) << c.name;
    }
}

TEST(DrawnCurve, WhileProcessingTheNextBlockCommitsIt)
{
    EditorRig rig;
    for (int32_t i = 0; i < rig.drawArea.columns.Size(); ++i)
        rig.drawArea.columns.Set(i, 0.5);
    // As the draw area hands a stroke over.
    rig.plugin().PrepareCurveDrawing();
    rig.drawArea.drawn = true;
    rig.rig.Render(MakeNoise(64, 0.1), 64);
    EXPECT_FALSE(rig.drawArea.drawn.load());
    for (DistortionChain* chain : rig.plugin().Units().Chains())
        EXPECT_EQ(CurvePoints(*chain), std::vector<double>(2048, -0.5));
}

// An edit committed while a program change fades out is made to the program that comes, not to
// the one the quiet point replaces.
TEST(CurveEdits, CommittedDuringAProgramChangeSurviveItsQuietPoint)
{
    constexpr int kProgram = 77;
    const auto drawSlope = [](EditorRig& rig) {
        for (int32_t i = 0; i < rig.drawArea.columns.Size(); ++i)
            rig.drawArea.columns.Set(i, 0.9 - 1.8 * i / rig.drawArea.columns.Size());
        rig.plugin().CommitDrawnCurve();
    };
    const struct
    {
        const char* name;
        std::function<void(EditorRig&)> edit;
    } cases[] = {
        {"curve action", [](EditorRig& rig) { rig.plugin().ApplyCurveAction(kSharpCurve); }},
        {"drawn curve", drawSlope},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        EditorRig expected;
        expected.rig.Dispatch(effMainsChanged, 0, 0);
        expected.rig.Dispatch(effSetProgram, 0, kProgram);
        c.edit(expected);

        EditorRig rig;
        rig.rig.Render(MakeNoise(512, 0.1), 512);
        rig.rig.Dispatch(effSetProgram, 0, kProgram);
        c.edit(rig);
        // A few frames into the fade out, then past the quiet point.
        rig.rig.Render(MakeNoise(64, 0.1), 64);
        rig.rig.Render(MakeNoise(1024, 0.1), 64);
        const std::vector<double> want = CurvePoints(expected.plugin().Units().hostRate.chain1);
        for (DistortionChain* chain : rig.plugin().Units().Chains())
            EXPECT_EQ(CurvePoints(*chain), want);
    }
}

std::string CurveCsv(double value)
{
    std::ostringstream text;
    for (int i = 0; i < 2048; ++i)
        text << (i ? "," : "") << value;
    return text.str();
}

TEST(CurveFiles, ImportReachesEveryChainAndEveryPathIsRemembered)
{
    TempFile good(".csv");
    good.Write(CurveCsv(0.25));
    TempFile shortFile(".CSV");
    shortFile.Write("0.5,0.5");
    TempFile elsewhere(".CSV.bak");
    elsewhere.Write(CurveCsv(-0.125));
    TempFile text(".txt");
    text.Write(CurveCsv(0.5));
    const struct
    {
        const char* name;
        std::string path;
        bool taken;
        double point;
        std::string remembered;
    } cases[] = {
        {"a curve", good.Path(), true, 0.25, good.Path()},
        {"the extension inside the name", elsewhere.Path(), true, -0.125, elsewhere.Path()},
        {"too few numbers", shortFile.Path(), false, 0.0, shortFile.Path()},
        {"a missing file", good.Path() + ".missing.csv", false, 0.0, good.Path() + ".missing.csv"},
        {"another extension", text.Path(), false, 0.0, "before"},
    };
    for (const auto& c : cases)
    {
        EditorRig rig;
        rig.rig.Dispatch(effMainsChanged, 0, 0);
        std::strcpy(rig.plugin().Config().LastSelectedDistoCurveFile, "before");
        const std::vector<double> before = CurvePoints(rig.plugin().Units().hostRate.chain1);
        rig.plugin().ImportCurveCsv(c.path);
        for (DistortionChain* chain : rig.plugin().Units().Chains())
        {
            if (c.taken)
                EXPECT_EQ(CurvePoints(*chain), std::vector<double>(2048, c.point)) << c.name;
            else
                EXPECT_EQ(CurvePoints(*chain), before) << c.name;
        }
        EXPECT_EQ(rig.plugin().GetCurveFilePath(), c.remembered) << c.name;
        if (c.taken)
            ExpectEditorsShowTheCurve(rig);
    }
}

TEST(CurveFiles, ExportsWriteTheFirstChainsCurve)
{
    EditorRig rig;
    Zarvotone& plugin = rig.plugin();
    plugin.ApplyCurveAction(kInvertCurve);
    rig.rig.Render(MakeNoise(64, 0.1), 64);

    TempFile csv(".csv");
    plugin.ExportCurveCsv(csv.Path());
    std::string text;
    EXPECT_EQ(csv.Read(), plugin.Units().hostRate.chain1.distortion.CurveToText(text));

    TempFile wav(".wav");
    TempFile source(".h");
    TempFile wrong(".txt");
    plugin.ExportCurveWav(wav.Path());
    plugin.ExportCurveSource(source.Path());
    EXPECT_TRUE(std::filesystem::exists(wav.Path()));
    EXPECT_TRUE(std::filesystem::exists(source.Path()));
    EXPECT_EQ(plugin.GetCurveFilePath(), source.Path());
    plugin.ExportCurveWav(wrong.Path());
    plugin.ExportCurveCsv(wrong.Path());
    EXPECT_FALSE(std::filesystem::exists(wrong.Path()));
    EXPECT_EQ(plugin.GetCurveFilePath(), source.Path());

    // The WAV export reads back as the same curve.
    EditorRig reader;
    reader.plugin().ImportCurveWav(wav.Path());
    const std::vector<double> exported = CurvePoints(plugin.Units().hostRate.chain1);
    const std::vector<double> imported = CurvePoints(reader.plugin().Units().hostRate.chain1);
    for (size_t i = 0; i < exported.size(); i += 97)
        EXPECT_NEAR(imported[i], exported[i], 1e-6) << i;
}
// Both instances read the built-in curves of the process. Whatever way one instance edits its
// curve, it edits a copy of its own: the other still reads the built-in curve, and sounds as
// one that rendered before the edit.
TEST(CurveEdits, OneInstancesEditLeavesAnotherInstancesCurve)
{
    constexpr double kCurve = 21.0 / 80.0;
    TempFile csv(".csv");
    csv.Write(CurveCsv(0.25));
    std::vector<uint8_t> editedState;
    {
        EditorRig source;
        source.rig.Set(kParamDistortionType, kCurve);
        source.plugin().ApplyCurveAction(kInvertCurve);
        source.rig.Render(MakeNoise(64, 0.1), 64);
        StateChunk chunk;
        ASSERT_TRUE(source.plugin().SerializeState(chunk));
        editedState.assign(chunk.Data(), chunk.Data() + chunk.Size());
    }
    const struct
    {
        const char* name;
        std::function<void(EditorRig&)> edit;
    } edits[] = {
        {"curve action", [](EditorRig& rig) { rig.plugin().ApplyCurveAction(kSharpCurve); }},
        {"drawn curve",
         [](EditorRig& rig) {
             for (int32_t i = 0; i < rig.drawArea.columns.Size(); ++i)
                 rig.drawArea.columns.Set(i, 0.3);
             rig.plugin().PrepareCurveDrawing();
             rig.drawArea.drawn = true;
         }},
        {"CSV import", [&](EditorRig& rig) { rig.plugin().ImportCurveCsv(csv.Path()); }},
        {"loaded state", [&](EditorRig& rig) {
             StateChunk chunk;
             ASSERT_TRUE(chunk.AppendBytes(editedState.data(), static_cast<int>(editedState.size())));
             ASSERT_GT(rig.plugin().UnserializeState(chunk, 0), 0);
         }},
    };
    const StereoSignal input = MakeNoise(4096, 0.8);
    const Wezmark::BuiltinCurves& builtins = *Wezmark::BuiltinCurves::Shared();
    const CurveId id = Wezmark::Distortion::CurveIdOf(kCurve);
    const std::vector<double> builtin = builtins.ForId(id).points;
    for (const auto& e : edits)
    {
        SCOPED_TRACE(e.name);
        EditorRig edited;
        PluginRig other;
        PluginRig heardBefore;
        for (PluginRig* rig : {&edited.rig, &other, &heardBefore})
        {
            rig->Set(kParamDistortionType, kCurve);
            rig->Set(kParamDistortionAmount, 0.8);
            rig->Set(kParamPreFilterProcess, 1.0);
        }
        const StereoSignal before = heardBefore.Render(input, PluginRig::kBlock);

        e.edit(edited);
        const StereoSignal editedOutput = edited.rig.Render(input, PluginRig::kBlock);
        const DistortionCurve& editedCurve = *edited.plugin().Units().hostRate.chain1.distortion.current;
        ASSERT_EQ(editedCurve.SharedTables(), nullptr);
        EXPECT_NE(std::vector<double>(editedCurve.Points(), editedCurve.Points() + 2048), builtin);
        EXPECT_NE(editedOutput.left, before.left);

        const StereoSignal otherOutput = other.Render(input, PluginRig::kBlock);
        EXPECT_EQ(otherOutput.left, before.left);
        EXPECT_EQ(otherOutput.right, before.right);
        for (DistortionChain* chain : other.plugin.Units().Chains())
            EXPECT_EQ(chain->distortion.current->SharedTables(), &builtins.ForId(id));
        EXPECT_EQ(builtins.ForId(id).points, builtin);
        EXPECT_EQ(edited.plugin().Units().builtinCurves, other.plugin.Units().builtinCurves);
    }
}
}
