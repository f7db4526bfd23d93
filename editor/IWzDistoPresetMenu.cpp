#include "editor/IWzDistoPresetMenu.h"

#include "editor/FormatShapeLabel.h"
#include "framework/IEffectBase.h"
#include "graphics/IGraphics.h"
#include "plugin/IDistoDataProvider.h"

#include <algorithm>

namespace Wezmark
{
namespace
{
constexpr int32_t kLabelLimit = 40;
constexpr int kShapeParam = 10;
constexpr double kLastShape = 80.0;
constexpr const char* kRootName = "Basic Section";

// The position of `shape` among the category's entries, or -1.
int32_t EntryPosition(const ShapeCategory& category, int shape)
{
    const auto found = std::find_if(category.entries.begin(), category.entries.end(),
                                    [shape](const ShapeEntry& entry) { return entry.index == static_cast<uint32_t>(shape); });
    return found == category.entries.end() ? -1 : static_cast<int32_t>(found - category.entries.begin());
}

void AddEntries(PopupMenu& menu, const ShapeCategory& category)
{
    for (const ShapeEntry& entry : category.entries)
        menu.AddItem(FormatShapeLabel(entry.index).c_str());
}
}

IWzDistoPresetMenu::IWzDistoPresetMenu(IEffectBase* plug, IDistoDataProvider* curves, int x, const TextStyle* style,
                                       const BitmapStrip* strip, ArgbColour textBackground)
    : IWzDropDownMenu(plug, x, kY, style, strip, textBackground), mCurves(curves), mRoot(kRootName, 0)
{
    BuildShapeCategoryTree(mRoot);
}

bool IWzDistoPresetMenu::Draw(IGraphics* graphics)
{
    if (!mCurves)
    {
        DrawBackground(graphics);
        return false;
    }
    DrawField(graphics, FormatShapeLabel(static_cast<uint32_t>(mCurves->GetCurrentCurve())).c_str(), kLabelLimit);
    return true;
}

// The basic shapes, then one submenu per further category at its id.
void IWzDistoPresetMenu::FillMenu()
{
    AddEntries(mPopup, mRoot);
    for (size_t k = 0; k < mRoot.children.size(); ++k)
    {
        const ShapeCategory& child = *mRoot.children[k];
        if (PopupMenu* submenu = AddGroup(child.name.c_str(), child.id, child.id, static_cast<int32_t>(k)))
            AddEntries(*submenu, child);
    }
}

void IWzDistoPresetMenu::MarkCurrentItem()
{
    if (!mCurves)
        return;
    const int shape = mCurves->GetCurrentCurve();
    if (const int32_t position = EntryPosition(mRoot, shape); position >= 0)
    {
        CheckItem(mPopup, position);
        return;
    }
    for (const Group& group : mGroups)
    {
        if (const int32_t position = EntryPosition(*mRoot.children[static_cast<size_t>(group.category)], shape);
            position >= 0)
        {
            CheckItem(*group.submenu, position);
            return;
        }
    }
}

void IWzDistoPresetMenu::RunMenuAndApply()
{
    IGraphics* graphics = mPlug ? mPlug->GetGraphics() : nullptr;
    if (!graphics || !graphics->RunPopupMenu(&mPopup, &mDrawRect))
        return;
    const int32_t chosen = mPopup.GetChosenItemIdx();
    const ShapeEntry* entry = nullptr;
    if (chosen >= 0 && chosen < static_cast<int32_t>(mRoot.entries.size()))
        entry = &mRoot.entries[static_cast<size_t>(chosen)];
    else if (const Group* group = ChosenGroup())
    {
        const auto& entries = mRoot.children[static_cast<size_t>(group->category)]->entries;
        const auto position = static_cast<size_t>(group->submenu->GetChosenItemIdx());
        if (position < entries.size())
            entry = &entries[position];
    }
    if (entry)
        mPlug->SetParamFromEditor(kShapeParam, entry->index / kLastShape);
}
} // namespace Wezmark
