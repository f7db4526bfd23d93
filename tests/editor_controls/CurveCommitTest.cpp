#include "editor/IWzDistortionCurveEditor.h"
#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/plugin/PluginRig.h"
#include "tests/plugin/StateBytes.h"

#include <gtest/gtest.h>

#include <vector>

using Wezmark::IWzDistortionCurveEditor;

namespace
{
constexpr int kDrawAreaColumns = 133;

// A stroke along the top of the draw area, while the host processes: the block commits it,
// and the state block then carries the drawn curve to a fresh instance.
TEST(CurveCommit, DrawnColumnsReachTheStateBlock)
{
    PluginRig rig;
    auto* graphics = new HeadlessGraphics(&rig.plugin);
    rig.plugin.AttachEditor(graphics);
    const BitmapStrip strip{nullptr, 145, 145, 1, false};
    auto* editor = new IWzDistortionCurveEditor(&rig.plugin, &rig.plugin, &rig.plugin.Previews().curve,
                                                &rig.plugin.Previews().signal, 0, kDrawAreaColumns, &strip);
    graphics->AddControl(editor);
    rig.plugin.Controls().curveDrawArea = {editor, &editor->State()};

    MouseModifiers mods;
    mods.left = true;
    const Rect& inner = editor->InnerRect();
    editor->OnMouseDown(inner.left, inner.top, &mods);
    editor->OnMouseDrag(inner.left, inner.top, kDrawAreaColumns, 0, &mods);
    graphics->Tick();
    EXPECT_TRUE(editor->State().drawn.load());

    rig.Render(MakeNoise(PluginRig::kBlock, 0.1), PluginRig::kBlock);
    EXPECT_FALSE(editor->State().drawn.load());

    PluginRig restored;
    const ChunkOf chunk(StateBytes(rig.plugin));
    ASSERT_GT(restored.plugin.UnserializeState(chunk, 0), 0);
    const DistortionCurve* curve = restored.plugin.Units().hostRate.chain1.distortion.current;
    ASSERT_NE(curve, nullptr);
    for (int i = 0; i < curve->count; ++i)
        ASSERT_NEAR(curve->Points()[i], 1.0, 1e-12) << i;
}
std::vector<double> FirstCurve(Zarvotone& plugin)
{
    const DistortionCurve* curve = plugin.Units().hostRate.chain1.distortion.current;
    return std::vector<double>(curve->Points(), curve->Points() + curve->count);
}

// A draw area without columns has nothing to interpolate: the commit leaves every curve as it is.
TEST(CurveCommit, WithoutColumnsChangesNothing)
{
    PluginRig rig;
    const std::vector<double> before = FirstCurve(rig.plugin);
    rig.plugin.Controls().curveDrawArea = {};
    rig.plugin.CommitDrawnCurve();
    EXPECT_EQ(FirstCurve(rig.plugin), before);
    CurveEditorState empty(0);
    rig.plugin.Controls().curveDrawArea = {nullptr, &empty};
    rig.plugin.CommitDrawnCurve();
    EXPECT_EQ(FirstCurve(rig.plugin), before);
}
} // namespace
