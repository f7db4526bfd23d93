#include "tests/win/EditorTestEffect.h"

#include "graphics/IBitmapControl.h"
#include "graphics/IKnobMultiControl.h"
#include "graphics/win32/IGraphicsWin.h"
#include "tests/win/EditorTestControls.h"

#include <cstdio>

namespace
{
constexpr double kDefaultValue = 0.5;
constexpr double kStep = 0.001;
constexpr double kPromptStep = 0.01;
constexpr double kLinearShape = 1.0;
constexpr char kGroup[] = "Editor test";

Rect RectOf(const int32_t (&edges)[4])
{
    return {edges[0], edges[1], edges[2], edges[3]};
}
}

EditorTestEffect::EditorTestEffect(audioMasterCallback hostCallback) : IEffectVST(hostCallback)
{
    char text[IParameter::kTextSize];
    for (int i = 0; i < GetParamCount(); ++i)
    {
        std::snprintf(text, sizeof text, "Parameter %02d", i + 1);
        const double maximum = i == kPromptParam ? kPromptMaximum : 1.0;
        GetParam(i)->InitContinuous(text, kDefaultValue * maximum, 0.0, maximum,
                                    i == kPromptParam ? kPromptStep : kStep, "", kGroup, kLinearShape);
    }
    StateChunk state;
    SerializeState(state);
    for (int i = 0; i < GetPresetCount(); ++i)
    {
        std::snprintf(text, sizeof text, "Program %03d", i + 1);
        AddFactoryPreset(text, state);
    }

    auto* graphics = new IGraphicsWin(this, kWidth, kHeight, kFrameRate);
    BitmapStrip background;
    graphics->LoadBitmapResource(&background, kBackgroundId, "resources/img/GUI_background.png", 1);
    BitmapStrip knob;
    graphics->LoadBitmapResource(&knob, kKnobId, "resources/img/knobs/volume_knob.png", kKnobFrames);
    auto* firstKnob = new IKnobMultiControl(this, kKnobX, kKnobY, kKnobParam, &knob);
    firstKnob->SetTooltip(kKnobTooltip);
    graphics->AddControl(firstKnob);
    graphics->AddControl(new IKnobMultiControl(this, kSecondKnobX, kSecondKnobY, kSecondKnobParam, &knob));
    graphics->AddControl(new TextPromptControl(this, RectOf(kPromptRect), kPromptParam));
    graphics->AddControl(new MenuPromptControl(this, RectOf(kMenuRect), kMenuParam));
    graphics->AddControl(new ProgramNameControl(this, RectOf(kNameRect), kNameEntryLength));
    graphics->InsertFirstControl(new IBitmapControl(this, 0, 0, &background));
    AttachEditor(graphics);
    graphics->SetMouseOverHandling(true);
    graphics->SetTooltipsEnabled(true);
}
