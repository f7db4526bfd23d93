#include "tests/editor_sections/SectionsRig.h"

#include "graphics/IControl.h"
#include "graphics/PopupMenu.h"
#include "graphics/PopupMenuItem.h"

#include <algorithm>

PopupMenu* MenuPathGraphics::RunPopupMenu(PopupMenu* menu, const Rect* rect)
{
    HeadlessGraphics::RunPopupMenu(menu, nullptr);
    PopupMenu* holder = menu;
    for (size_t step = 0; holder && step < mPath.size(); ++step)
    {
        // A negative entry counts from the end: -1 is the last item.
        const int item = mPath[step] < 0 ? holder->GetItemCount() + mPath[step] : mPath[step];
        if (item < 0 || item >= holder->GetItemCount())
            return nullptr;
        PopupMenu* submenu = holder->GetItem(item)->submenu;
        if (step + 1 < mPath.size())
        {
            holder = submenu;
            continue;
        }
        holder->SetChosenItemIdx(item);
    }
    (void)rect;
    mPath.clear();
    return holder;
}

SectionsRig::SectionsRig() : rig(PluginRig::kBlock, &FakeHost::Callback), graphics(new MenuPathGraphics(&rig.plugin))
{
    graphics->SetResourceRoot(ZV_SOURCE_DIR);
    plugin().BuildEditor(graphics);
    Settle();
    host.calls.clear();
}

void SectionsRig::Show(EditorView view)
{
    switch (view)
    {
    case EditorView::kPlugInSubBand:
        plugin().ShowPlugInTab();
        break;
    case EditorView::kPlugInDistoBand:
        plugin().ShowPlugInTab();
        plugin().SetEqPage(false);
        break;
    case EditorView::kScope:
        plugin().ShowScopeTab();
        break;
    case EditorView::kAbout:
        plugin().ShowAboutTab();
        break;
    }
}

void SectionsRig::SetAndShow(int index, double value)
{
    rig.Set(index, value);
    plugin().OnRedrawTick();
}

void SectionsRig::Settle()
{
    graphics->Tick();
    for (int i = 0; i < graphics->GetControlCount(); ++i)
        while (graphics->GetControl(i)->TakePendingRedraw())
        {
        }
}

void SectionsRig::Click(int x, int y)
{
    const MouseModifiers left{.left = true};
    graphics->HandleMouseDown(x, y, &left);
    graphics->HandleMouseUp(x, y, &left);
}

void SectionsRig::Drag(int x, int y, int toX, int toY)
{
    const MouseModifiers left{.left = true};
    graphics->HandleMouseDown(x, y, &left);
    graphics->HandleMouseDrag(toX, toY, &left);
    graphics->HandleMouseUp(toX, toY, &left);
}

IControl* SectionsRig::HitAt(int x, int y) const
{
    for (int i = graphics->GetControlCount() - 1; i >= 0; --i)
    {
        IControl* control = graphics->GetControl(i);
        if (!control->IsHidden() && !control->IsGrayed() && control->IsHit(x, y))
            return control;
    }
    return nullptr;
}

IControl* SectionsRig::FindControl(const Rect& rect, int param) const
{
    for (int i = 0; i < graphics->GetControlCount(); ++i)
    {
        IControl* control = graphics->GetControl(i);
        if (control->GetDrawRect() == rect && control->GetParamIndex() == param)
            return control;
    }
    return nullptr;
}

std::vector<HostCall> SectionsRig::CallsOf(std::initializer_list<VstInt32> opcodes) const
{
    std::vector<HostCall> found;
    std::copy_if(host.calls.begin(), host.calls.end(), std::back_inserter(found), [&](const HostCall& call) {
        return std::find(opcodes.begin(), opcodes.end(), call.opcode) != opcodes.end();
    });
    return found;
}
