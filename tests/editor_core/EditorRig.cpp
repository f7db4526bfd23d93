#include "tests/editor_core/EditorRig.h"

namespace
{
constexpr int kControlSize = 10;
}

PlainControl::PlainControl(IEffectBase* plug) : IControl(plug, Rect{0, 0, kControlSize, kControlSize})
{
}

EditorRig::EditorRig(audioMasterCallback host) : rig(PluginRig::kBlock, host), graphics(new HeadlessGraphics(&rig.plugin))
{
    // Only these controls: whatever editor the effect built goes with its references.
    plugin().Controls() = ZarvotoneControls{};
    plugin().AttachEditor(graphics);
    ZarvotoneControls& controls = plugin().Controls();
    for (int tab = 0; tab < ZarvotoneControls::kTabCount; ++tab)
    {
        tabButtons[static_cast<size_t>(tab)] = Add(new PlainControl(&plugin()));
        controls.tabButtons[static_cast<size_t>(tab)] = tabButtons[static_cast<size_t>(tab)];
        for (int k = 0; k < kControlsPerList; ++k)
        {
            IControl* control = Add(new PlainControl(&plugin()));
            tabControls[static_cast<size_t>(tab)].push_back(control);
            controls.tabLists[static_cast<size_t>(tab)].push_back(graphics->GetControlCount() - 1);
        }
    }
    for (int page = 0; page < ZarvotoneControls::kEqPageCount; ++page)
    {
        ZarvotoneControls::EqPage& link = controls.eqPages[static_cast<size_t>(page)];
        link.button = Add(new PlainControl(&plugin()));
        link.eqSwitch = Add(new PlainControl(&plugin()));
        for (int k = 0; k < kControlsPerList; ++k)
        {
            pageControls[static_cast<size_t>(page)].push_back(Add(new PlainControl(&plugin())));
            pageIndexes[static_cast<size_t>(page)].push_back(graphics->GetControlCount() - 1);
        }
        link.controls = &pageIndexes[static_cast<size_t>(page)];
    }
    const TextStyle style;
    zoomText = static_cast<ITextControl*>(Add(new ITextControl(&plugin(), Rect{0, 20, 40, 30}, &style, "")));
    aboutHostText = static_cast<ITextControl*>(Add(new ITextControl(&plugin(), Rect{0, 30, 40, 40}, &style, "")));
    controls.zoomText = zoomText;
    controls.aboutHostText = aboutHostText;
    controls.hostInfoText = Add(new PlainControl(&plugin()));
    controls.maxLevelText = Add(new PlainControl(&plugin()));
    controls.curveDrawArea = {Add(new PlainControl(&plugin())), &drawArea};
    controls.curveSignalPreview = {Add(new PlainControl(&plugin())), &signalPreview};
    controls.curveMenu = Add(new PlainControl(&plugin()));
    controls.scopeDrawer = Add(new PlainControl(&plugin()));
    controls.drawModeButton = Add(new PlainControl(&plugin()));
    controls.inputTraceSwitch = Add(new PlainControl(&plugin()));
    controls.outputTraceSwitch = Add(new PlainControl(&plugin()));
    for (IControl*& eye : controls.vuEyes)
        eye = Add(new PlainControl(&plugin()));
    Settle();
}

IControl* EditorRig::Add(IControl* control)
{
    graphics->AddControl(control);
    return control;
}

void EditorRig::Settle()
{
    for (int i = 0; i < graphics->GetControlCount(); ++i)
        while (graphics->GetControl(i)->TakePendingRedraw())
        {
        }
}
