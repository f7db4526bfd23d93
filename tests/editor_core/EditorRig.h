#pragma once
// An opened effect with a windowless editor whose controls stand where the section builders
// would put them: a few controls on each tab and each EQ page, and every control the core updates.

#include "graphics/ITextControl.h"
#include "plugin/CurveEditorState.h"
#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/plugin/PluginRig.h"

#include <array>
#include <cstdint>
#include <vector>

// A control that draws nothing; the tests only look at its flags and value.
class PlainControl : public IControl
{
public:
    explicit PlainControl(IEffectBase* plug);
    bool Draw(IGraphics*) override { return true; }
};

class EditorRig
{
public:
    static constexpr int kControlsPerList = 2;
    static constexpr int kDrawAreaColumns = 133;
    static constexpr int kSignalPreviewColumns = 120;

    explicit EditorRig(audioMasterCallback host = nullptr);

    Zarvotone& plugin() { return rig.plugin; }
    // Every control clean, as after the editor's redraw.
    void Settle();

    PluginRig rig;
    HeadlessGraphics* graphics;
    std::array<std::vector<IControl*>, ZarvotoneControls::kTabCount> tabControls;
    std::array<IControl*, ZarvotoneControls::kTabCount> tabButtons{};
    std::array<std::vector<int32_t>, ZarvotoneControls::kEqPageCount> pageIndexes;
    std::array<std::vector<IControl*>, ZarvotoneControls::kEqPageCount> pageControls;
    CurveEditorState drawArea{kDrawAreaColumns};
    CurveEditorState signalPreview{kSignalPreviewColumns};
    ITextControl* zoomText = nullptr;
    ITextControl* aboutHostText = nullptr;

private:
    IControl* Add(IControl* control);
};
