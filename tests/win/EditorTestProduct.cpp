#include "tests/win/EditorTestProduct.h"

#include "framework/IEffectBase.h"
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

void EditorTestProduct::Build(IEffectBase& plug)
{
    char text[IParameter::kTextSize];
    for (int i = 0; i < plug.GetParamCount(); ++i)
    {
        std::snprintf(text, sizeof text, "Parameter %02d", i + 1);
        const double maximum = i == kPromptParam ? kPromptMaximum : 1.0;
        plug.GetParam(i)->InitContinuous(text, kDefaultValue * maximum, 0.0, maximum,
                                    i == kPromptParam ? kPromptStep : kStep, "", kGroup, kLinearShape);
    }
    StateChunk state;
    plug.SerializeState(state);
    for (int i = 0; i < plug.GetPresetCount(); ++i)
    {
        std::snprintf(text, sizeof text, "Program %03d", i + 1);
        plug.AddFactoryPreset(text, state);
    }

    auto* graphics = new IGraphicsWin(&plug, kWidth, kHeight, kFrameRate);
    BitmapStrip background;
    graphics->LoadBitmapResource(&background, kBackgroundId, "resources/img/GUI_background.png", 1);
    BitmapStrip knob;
    graphics->LoadBitmapResource(&knob, kKnobId, "resources/img/knobs/volume_knob.png", kKnobFrames);
    auto* firstKnob = new IKnobMultiControl(&plug, kKnobX, kKnobY, kKnobParam, &knob);
    firstKnob->SetTooltip(kKnobTooltip);
    graphics->AddControl(firstKnob);
    graphics->AddControl(new IKnobMultiControl(&plug, kSecondKnobX, kSecondKnobY, kSecondKnobParam, &knob));
    graphics->AddControl(new TextPromptControl(&plug, RectOf(kPromptRect), kPromptParam));
    graphics->AddControl(new MenuPromptControl(&plug, RectOf(kMenuRect), kMenuParam));
    graphics->AddControl(new ProgramNameControl(&plug, RectOf(kNameRect), kNameEntryLength));
    graphics->InsertFirstControl(new IBitmapControl(&plug, 0, 0, &background));
    plug.AttachEditor(graphics);
    graphics->SetMouseOverHandling(true);
    graphics->SetTooltipsEnabled(true);
}
