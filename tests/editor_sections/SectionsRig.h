#pragma once
// The plug-in with its whole editor built on a windowless editor that reads the artwork from
// the source tree, a recording host, and the mouse as the window would deliver it.

#include "tests/graphics_support/HeadlessGraphics.h"
#include "tests/plugin/PluginRig.h"
#include "tests/vst2/FakeHost.h"

#include <vector>

// Menu choices as paths: an item of the menu, then items of its submenus.
class MenuPathGraphics : public HeadlessGraphics
{
public:
    using HeadlessGraphics::HeadlessGraphics;
    PopupMenu* RunPopupMenu(PopupMenu* menu, const Rect* rect) override;
    void ChoosePath(std::vector<int> path) { mPath = std::move(path); }

private:
    std::vector<int> mPath;
};

// What the editor can show: the plug-in tab with either EQ page, the scope tab, the about tab.
enum class EditorView
{
    kPlugInSubBand,
    kPlugInDistoBand,
    kScope,
    kAbout,
};
constexpr EditorView kEveryView[] = {EditorView::kPlugInSubBand, EditorView::kPlugInDistoBand, EditorView::kScope,
                                     EditorView::kAbout};

class SectionsRig
{
public:
    SectionsRig();

    Zarvotone& plugin() { return rig.plugin; }
    void Show(EditorView view);
    // Every control clean, as after the editor's redraw.
    void Settle();
    // A parameter set as the host or the editor sets it, then the first step of the editor's
    // redraw tick, which shows what the change left for the editor; nothing is drawn yet.
    void SetAndShow(int index, double value);
    // A left click (press and release) at a point, and a drag from one point to another.
    void Click(int x, int y);
    void Drag(int x, int y, int toX, int toY);
    // The topmost visible control that takes a press at a point, or null.
    IControl* HitAt(int x, int y) const;
    // The control with this draw rect and parameter, or null.
    IControl* FindControl(const Rect& rect, int param) const;
    std::vector<HostCall> CallsOf(std::initializer_list<VstInt32> opcodes) const;

    FakeHost host;
    PluginRig rig;
    // Owned by the plug-in once its editor is built.
    MenuPathGraphics* graphics;
};
