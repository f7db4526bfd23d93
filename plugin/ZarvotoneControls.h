#pragma once

#include "plugin/CurveEditorState.h"

#include <array>
#include <cstdint>
#include <vector>

class IControl;
class ITextControl;

// The editor's controls that the core shows, hides, fills or redraws, and the controls of each
// tab by index. The section builders fill it while they build the editor; the editor's control
// list owns every control, so these are plain references, null (empty) without an editor.
struct ZarvotoneControls
{
    enum Tab
    {
        kPlugInTab,
        kScopeTab,
        kAboutTab,
        kTabCount,
    };

    enum EqPageKind
    {
        kSubBandPage,
        kDistoBandPage,
        kEqPageCount,
    };

    // One EQ page: its tab button, the indexes of the controls the button keeps for its page,
    // and the on/off switch of that equaliser.
    struct EqPage
    {
        IControl* button = nullptr;
        const std::vector<int32_t>* controls = nullptr;
        IControl* eqSwitch = nullptr;
    };

    std::array<std::vector<int32_t>, kTabCount> tabLists;
    std::array<IControl*, kTabCount> tabButtons{};
    std::array<EqPage, kEqPageCount> eqPages{};

    IControl* hostInfoText = nullptr;
    IControl* maxLevelText = nullptr;
    ITextControl* aboutHostText = nullptr;

    CurveEditorLink curveDrawArea;
    CurveEditorLink curveSignalPreview;
    IControl* curveMenu = nullptr;

    IControl* scopeDrawer = nullptr;
    ITextControl* zoomText = nullptr;
    IControl* drawModeButton = nullptr;
    IControl* inputTraceSwitch = nullptr;
    IControl* outputTraceSwitch = nullptr;
    std::array<IControl*, 2> vuEyes{};
};
