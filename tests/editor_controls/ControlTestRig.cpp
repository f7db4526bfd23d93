#include "tests/editor_controls/ControlTestRig.h"

#include "framework/PresetSlot.h"
#include "framework/StateChunk.h"
#include "graphics/PIX_IBitmap.h"
#include "graphics/PopupMenu.h"

#include <algorithm>
#include <cstdio>

void RecordingController::GetBandFreqCurve(int, double* out, int count)
{
    bandCounts.push_back(count);
    for (int i = 0; i < count; ++i)
        out[i] = bandValues[static_cast<size_t>(i) % bandValues.size()];
}

void RecordingController::StepZoom(bool zoomIn, double step)
{
    char text[64];
    std::snprintf(text, sizeof text, "zoom %s %g", zoomIn ? "in" : "out", step);
    Log(text);
}

bool RecordingController::SaveFxpFile(const std::string& path)
{
    Log("save-fxp " + path);
    return true;
}

bool RecordingController::LoadFxpFile(const std::string& path)
{
    Log("load-fxp " + path);
    return true;
}

PopupMenu* MenuGraphics::RunPopupMenu(PopupMenu* menu, const Rect*)
{
    ReleaseMouseCapture();
    Shown record;
    for (int i = 0; i < menu->GetItemCount(); ++i)
    {
        const PopupMenuItem* item = menu->GetItem(i);
        record.items.emplace_back(item->text.Get());
        record.checked.push_back((item->flags & PopupMenuItem::kChecked) != 0);
        std::vector<int> checked;
        std::vector<std::string> texts;
        if (item->submenu)
        {
            for (int j = 0; j < item->submenu->GetItemCount(); ++j)
            {
                texts.emplace_back(item->submenu->GetItem(j)->text.Get());
                if (item->submenu->GetItem(j)->flags & PopupMenuItem::kChecked)
                    checked.push_back(j);
            }
        }
        record.checkedInSubmenus.push_back(checked);
        record.submenuItems.push_back(texts);
    }
    shown.push_back(record);
    if (mChoices.empty())
        return nullptr;
    const Choice choice = mChoices.front();
    mChoices.pop_front();
    PopupMenuItem* item = menu->GetItem(choice.item);
    if (!item)
        return nullptr;
    if (choice.subItem < 0)
    {
        menu->SetChosenItemIdx(choice.item);
        return menu;
    }
    if (!item->submenu || choice.subItem >= item->submenu->GetItemCount())
        return nullptr;
    item->submenu->SetChosenItemIdx(choice.subItem);
    return item->submenu;
}

void MenuGraphics::ClearCanvas()
{
    PIX_IBitmap* bitmap = GetDrawBitmap();
    std::fill_n(bitmap->GetPixelData(), static_cast<size_t>(bitmap->GetRowStride()) * bitmap->GetHeight(), 0u);
}

std::vector<std::string> ControlTestPlug::OtherEvents() const
{
    std::vector<std::string> other;
    std::copy_if(events.begin(), events.end(), std::back_inserter(other),
                 [](const std::string& event) { return event.rfind("automate ", 0) != 0; });
    return other;
}

int ControlTestPlug::AutomationCount() const
{
    return static_cast<int>(std::count_if(events.begin(), events.end(), [](const std::string& event) {
        return event.rfind("automate ", 0) == 0;
    }));
}

void ControlTestPlug::NamePresets(const std::vector<std::string>& names)
{
    StateChunk state;
    SerializeState(state);
    for (const std::string& name : names)
        AddFactoryPreset(name.c_str(), state);
}

MouseModifiers LeftButton()
{
    MouseModifiers mods;
    mods.left = true;
    return mods;
}

MouseModifiers RightButton()
{
    MouseModifiers mods;
    mods.right = true;
    return mods;
}
