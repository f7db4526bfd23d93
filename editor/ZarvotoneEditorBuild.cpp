#include "plugin/Zarvotone.h"

#include "editor/EditorLayout.h"
#include "framework/ScopedLock.h"
#include "editor/IWzTabButton.h"
#include "graphics/IBitmapControl.h"
#include "graphics/IGraphics.h"
#include "graphics/ITextControl.h"

namespace
{
constexpr int kControlsTop = 35;
constexpr int kTabTop = 782;
constexpr std::array<int, ZarvotoneControls::kTabCount> kTabLefts = {205, 285, 365};

struct StyleRow
{
    int32_t size;
    ArgbColour colour;
    int32_t alignment;
};
constexpr int32_t kCentre = TextStyle::kAlignCentre;
constexpr int32_t kLeft = TextStyle::kAlignLeft;
constexpr int32_t kRight = TextStyle::kAlignRight;
constexpr std::array<StyleRow, Zarvotone::kTextStyleCount> kStyles = {{
    {14, {255, 255, 255, 255}, kCentre},
    {13, {255, 255, 255, 255}, kCentre},
    {13, {255, 255, 255, 255}, kLeft},
    {13, {255, 255, 255, 255}, kRight},
    {13, {255, 127, 255, 255}, kLeft},
    {13, {255, 127, 255, 255}, kLeft},
    {13, {255, 127, 255, 127}, kCentre},
    {13, {255, 255, 127, 0}, kCentre},
    {13, {255, 255, 255, 0}, kCentre},
    {13, {255, 255, 0, 0}, kCentre},
    {13, {255, 255, 255, 255}, kLeft},
    {15, {255, 255, 255, 255}, kCentre},
}};

struct TabBitmap
{
    int id;
    const char* path;
};
constexpr int kTabFrames = 2;
constexpr std::array<TabBitmap, ZarvotoneControls::kTabCount> kTabBitmaps = {{
    {1026, "resources/img/buttons/tab_plug_in_button.png"},
    {1027, "resources/img/buttons/tab_scope_button.png"},
    {1025, "resources/img/buttons/tab_about_button.png"},
}};
// Loaded with the others, though no control shows it.
constexpr TabBitmap kSpareTab = {1028, "resources/img/buttons/tab_test.png"};
}

void Zarvotone::BuildEditor(IGraphics* graphics)
{
    if (!graphics)
        return;
    // Any editor built before goes, with the references to its controls; the controls made
    // below get the parameter values when the editor is attached again at the end.
    AttachEditor(graphics);
    const BitmapStrip background = LoadEditorBitmap(10006, "resources/img/GUI_background.png", 1);
    graphics->InsertFirstControl(new IBitmapControl(this, 0, 0, IGraphics::kNoControl, &background, BlendSpec::kCopy));
    const BitmapStrip panel = LoadEditorBitmap(10002, "resources/img/Controls_Background.png", 1);
    graphics->AddControl(new IBitmapControl(this, (kEditorWidth - panel.FrameWidth()) / 2, kControlsTop,
                                            IGraphics::kNoControl, &panel, BlendSpec::kCopySourceAlpha));
    for (size_t i = 0; i < kStyles.size(); ++i)
    {
        TextStyle& style = mTextStyles[i];
        style.SetFace("Arial");
        style.size = kStyles[i].size;
        style.colour = kStyles[i].colour;
        style.alignment = kStyles[i].alignment;
        style.quality = TextStyle::kQualityAliased;
        style.style = TextStyle::kStyleNormal;
    }

    for (int tab = 0; tab < ZarvotoneControls::kTabCount; ++tab)
    {
        const TabBitmap& bitmap = kTabBitmaps[static_cast<size_t>(tab)];
        const BitmapStrip strip = LoadEditorBitmap(bitmap.id, bitmap.path, kTabFrames);
        auto* button = new Wezmark::IWzTabButton(this, kTabLefts[static_cast<size_t>(tab)], kTabTop, &strip,
                                                 static_cast<Wezmark::ITabController*>(this), tab);
        if (tab == ZarvotoneControls::kPlugInTab)
            button->SetValueFromPlug(1.0);
        graphics->AddControl(button);
        mControls.tabButtons[static_cast<size_t>(tab)] = button;
    }
    LoadEditorBitmap(kSpareTab.id, kSpareTab.path, kTabFrames);

    AttachInputSection();
    AttachDistortionSection();
    AttachFilterSection();
    AttachEqSection();
    AttachBandSplitSection();
    AttachPresetSection();
    AttachInfoSection();
    AttachOutputSection();
    AttachAboutTab();
    AttachScopeTab();

    // Only the tab the settings name is shown, with the scope buttons as the settings say.
    RedrawCurveEditors();
    AttachEditor(graphics);
    graphics->SetMouseOverHandling(true);
    graphics->SetTooltipsEnabled(true);
    for (int i = 0; i < graphics->GetControlCount(); ++i)
    {
        IControl* control = graphics->GetControl(i);
        if (const IParameter* param = GetParam(control->GetParamIndex()))
            control->SetTooltip(param->Name());
    }
}

void Zarvotone::AttachEditor(IGraphics* graphics)
{
    ScopedLock lock(mLock);
    if (graphics && graphics != mGraphics)
    {
        mControls = ZarvotoneControls{};
        mDisplays = ParamDisplayControls{};
        // What changes left for the old editor's controls.
        mDueDisplays.Clear();
    }
    ZarvotoneBinding::AttachEditor(graphics);
}

BitmapStrip Zarvotone::LoadEditorBitmap(int id, const char* path, int frames)
{
    BitmapStrip strip;
    mGraphics->LoadBitmapResource(&strip, id, path, frames);
    return strip;
}

void Zarvotone::ListControl(IControl* control, ZarvotoneControls::Tab tab)
{
    mControls.tabLists[static_cast<size_t>(tab)].push_back(mGraphics->AddControl(control));
}

ITextControl* Zarvotone::NewCaption(const Rect& rect, const TextStyle* style, const char* text)
{
    auto* caption = new ITextControl(this, rect, style, text);
    caption->SetTargetRect({});
    return caption;
}

IBitmapControl* Zarvotone::NewPlate(int x, int y, const BitmapStrip* strip)
{
    auto* plate = new IBitmapControl(this, x, y, strip);
    plate->SetTargetRect({});
    return plate;
}
