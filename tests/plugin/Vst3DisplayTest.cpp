// Every VST3 parameter change reaches the effect on the audio thread, inside process: the
// editor's read-outs, tooltips and control values wait for its redraw tick on the UI thread.
#include "graphics/ITextControl.h"
#include "plugin/ParamDisplayText.h"
#include "plugin/ParamIndex.h"
#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/plugin/Vst3ProcessRig.h"
#include "tests/vst3/TestParameterChanges.h"
#include "vst3/abi/ResultCodes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
constexpr int kBlock = 64;
constexpr double kRate = 48000.0;
// Past a program change's fade out, quiet point and fade in.
constexpr int kBlocksPastAProgramFade = 75;
constexpr int kProgram = 77;

// An instance with its whole editor, settled as after a redraw.
struct EditedRig
{
    EditedRig() : rig(kBlock, kRate), editor(new HeadlessGraphics(&rig.plugin))
    {
        rig.plugin.BuildEditor(editor);
        editor->Tick();
    }

    Vst3ProcessRig rig;
    // Owned by the plug-in.
    HeadlessGraphics* editor;
};

std::string TextOf(const ITextControl* control)
{
    char text[ParamDisplayText::kTextSize] = {};
    if (control)
        control->GetText(text, sizeof text);
    return text;
}

// What the editor shows of the parameters: every read-out the core writes, every control's
// tooltip, grey state and value.
std::vector<std::string> Shown(EditedRig& edited)
{
    ParamDisplayControls& d = edited.rig.plugin.Displays();
    std::vector<std::string> shown;
    for (const ITextControl* text :
         {d.bitCrushText, d.sampleRateText, d.gateText, d.interpolationText, d.shapeText, d.shaperModeText,
          d.cutoffText, d.transitionText, d.balanceText, d.lowSplitText, d.highSplitText, d.sweepText})
        shown.push_back(TextOf(text));
    for (const auto* texts : {&d.distoEqTexts, &d.subEqTexts})
        for (const ITextControl* text : *texts)
            shown.push_back(TextOf(text));
    for (int i = 0; i < edited.editor->GetControlCount(); ++i)
    {
        const IControl* control = edited.editor->GetControl(i);
        char tooltip[ParamDisplayText::kTextSize] = {};
        control->GetTooltip(tooltip, sizeof tooltip);
        shown.push_back(std::to_string(i) + " " + tooltip + (control->IsGrayed() ? " grey " : " ") +
                        std::to_string(control->GetValue()));
    }
    return shown;
}

TEST(Vst3Display, ProcessingLeavesTheEditorsDisplaysToItsRedrawTick)
{
    EditedRig edited;
    Vst3ProcessRig& rig = edited.rig;
    const std::vector<std::string> before = Shown(edited);

    TestParameterChanges changes;
    changes.Add(kParamGateLevel, 0.5).Add(kParamDistoEqBass, 0.8, 10).Add(kParamInputChannelMode, 0.5, 40);
    changes.Add(kParamLimiterMode, 0.0, 20).Add(kParamFilterCutoff, 0.3, 50).Add(kParamVolume, 0.3, 63);
    ASSERT_EQ(rig.Process(&changes), Vst3::kResultOk);
    EXPECT_EQ(Shown(edited), before);

    edited.editor->Tick();
    const std::vector<std::string> changed = Shown(edited);
    EXPECT_NE(changed, before);
    EXPECT_EQ(TextOf(rig.plugin.Displays().gateText), "-24.1dB");
    EXPECT_TRUE(rig.plugin.Displays().limiterLevelKnob->IsGrayed());

    // A program chosen in the queue loads there, and its values reach the units at the quiet
    // point of its fade, blocks later: all on the audio thread.
    TestParameterChanges program;
    program.Add(IEffectVST3::kProgramParamId, kProgram / 128.0);
    for (int block = 0; block < kBlocksPastAProgramFade; ++block)
        ASSERT_EQ(rig.Process(block == 0 ? &program : nullptr), Vst3::kResultOk);
    EXPECT_EQ(Shown(edited), changed);

    // The tick shows what the program shows in an editor that loaded it on the UI thread.
    edited.editor->Tick();
    EditedRig reference;
    ASSERT_EQ(reference.rig.plugin.setParamNormalized(IEffectVST3::kProgramParamId, kProgram / 128.0),
              Vst3::kResultOk);
    for (int block = 0; block < kBlocksPastAProgramFade; ++block)
        ASSERT_EQ(reference.rig.Process(), Vst3::kResultOk);
    reference.editor->Tick();
    EXPECT_EQ(Shown(edited), Shown(reference));
}
}
