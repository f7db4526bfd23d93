#include "plugin/Zarvotone.h"

#include "dsp/units/filters/FilterType.h"
#include "framework/ScopedLock.h"
#include "graphics/IGraphics.h"
#include "graphics/ITextControl.h"
#include "plugin/RedrawControl.h"
#include "plugin/SharedWord.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
constexpr uint32_t kUnfreezeGapEntries = 20;
constexpr double kZoomPerStep = 10.0;
constexpr double kSmallestZoom = 10.0;
constexpr double kLargestZoom = 500.0;
constexpr double kDrawModeToValue = 0.5;
constexpr double kTraceShown = 1.0;
constexpr int kNoTab = -1;
constexpr int kPresetTextSize = 256;
constexpr int kZoomTextSize = 32;

// A setting read as a whole number; a value no int can hold (a broken state block) gives the fallback.
int TruncatedOr(double value, int fallback)
{
    return std::isfinite(value) && value > INT_MIN - 1.0 && value < INT_MAX + 1.0 ? static_cast<int>(value) : fallback;
}

// The zoom the scope shows: one that cannot be used counts as the default.
double ShownZoom(double zoom)
{
    return std::isfinite(zoom) && zoom > 0.0 ? zoom : PluginConfig::kDefaultScopeZoom;
}

// A path text as stored; a loaded state may hold one without its terminator.
std::string ConfigText(const char (&text)[PluginConfig::kTextSize])
{
    return std::string(text, strnlen(text, sizeof text));
}

void SetButtonValue(IControl* button, double value)
{
    if (!button)
        return;
    button->SetValueFromPlug(value);
    button->SetDirty(true);
}
}

void Zarvotone::OnHostConfigured()
{
    if (mControls.aboutHostText)
        mControls.aboutHostText->SetTextFromPlug(GetHostText().c_str());
}

void Zarvotone::OnEditorOpened()
{
    ShowDueDisplays();
    RedrawCurveEditors();
}

void Zarvotone::OnPresetChanged()
{
    if (CurveEditorState* drawArea = mControls.curveDrawArea.state)
        drawArea->displayMode.store(0, std::memory_order_relaxed);
    RedrawControl(mControls.curveMenu);
}

void Zarvotone::ShowPlugInTab()
{
    ShowTab(ZarvotoneControls::kPlugInTab);
    SetEqPage(true);
}

void Zarvotone::ShowScopeTab()
{
    ShowTab(ZarvotoneControls::kScopeTab);
    // The trace starts empty; the ring is the audio thread's, so the clear is a request.
    mScope.RequestClear();
    TakeScopeRequestsIfIdle();
}

void Zarvotone::ShowAboutTab()
{
    ShowTab(ZarvotoneControls::kAboutTab);
}

void Zarvotone::ShowFourthTab()
{
}

void Zarvotone::ShowTab(ZarvotoneControls::Tab tab)
{
    StoreShared(mConfig.VisibleTab, static_cast<double>(tab));
    for (int other = 0; other < ZarvotoneControls::kTabCount; ++other)
        ShowTabList(static_cast<ZarvotoneControls::Tab>(other), other == tab);
    for (int other = 0; other < ZarvotoneControls::kTabCount; ++other)
        if (other != tab)
            SetButtonValue(mControls.tabButtons[static_cast<size_t>(other)], 0.0);
}

void Zarvotone::ShowTabList(ZarvotoneControls::Tab tab, bool show)
{
    HideListedControls(mControls.tabLists[static_cast<size_t>(tab)], !show);
}

void Zarvotone::HideListedControls(const std::vector<int32_t>& indexes, bool hide)
{
    if (!mGraphics)
        return;
    for (int32_t index : indexes)
        if (IControl* control = mGraphics->GetControl(index))
            control->Hide(hide);
}

void Zarvotone::SetEqPage(bool subBand)
{
    if (!mGraphics)
        return;
    const auto showPage = [this](const ZarvotoneControls::EqPage& page, bool shown) {
        if (page.controls)
            HideListedControls(*page.controls, !shown);
        SetButtonValue(page.button, shown ? 1.0 : 0.0);
    };
    const ZarvotoneControls::EqPage& subBandPage = mControls.eqPages[ZarvotoneControls::kSubBandPage];
    const ZarvotoneControls::EqPage& distoBandPage = mControls.eqPages[ZarvotoneControls::kDistoBandPage];
    showPage(subBandPage, subBand);
    showPage(distoBandPage, !subBand);
    if (subBandPage.eqSwitch)
        subBandPage.eqSwitch->GrayOut(!subBand);
    if (distoBandPage.eqSwitch)
        distoBandPage.eqSwitch->GrayOut(subBand);
}

void Zarvotone::SetEqPageInverse(bool distoBand)
{
    SetEqPage(!distoBand);
}

// The designs change with parameter changes and glide inside blocks, so they are read under the lock.
void Zarvotone::GetBandFreqCurve(int band, double* out, int count)
{
    if (!out || count < 1)
        return;
    ScopedLock lock(mLock);
    const Wezmark::BandSplitFilter& splitter = mUnits.subBand.splitter;
    for (int i = 0; i < count; ++i)
    {
        const double position = static_cast<double>(i) / count;
        out[i] = splitter.Response(band, 0.5 * position * position);
    }
}

const char* Zarvotone::GetFilterName(int unit)
{
    return GetFilterTypeName(FilterTypeOfUnit(unit));
}

const char* Zarvotone::GetFilterShortName(int unit)
{
    return GetFilterTypeShortName(FilterTypeOfUnit(unit));
}

int Zarvotone::GetFilterType(int unit)
{
    return std::max(FilterTypeOfUnit(unit), 0);
}

int Zarvotone::GetExtraFilterType(int)
{
    return 0;
}

// -1 for a unit the filter unit does not have.
int Zarvotone::FilterTypeOfUnit(int unit)
{
    if (unit != 0 && unit != 1)
        return -1;
    ScopedLock lock(mLock);
    return mUnits.filter.FilterType(unit);
}

int Zarvotone::GetCurrentCurve()
{
    ScopedLock lock(mLock);
    return static_cast<int>(mUnits.hostRate.chain1.distortion.currentId);
}

std::string Zarvotone::GetPresetDisplayName()
{
    char text[kPresetTextSize];
    ScopedLock lock(mLock);
    std::snprintf(text, sizeof text, "%02d: %s", GetCurrentPreset() + 1, CurrentPresetName());
    return text;
}

void Zarvotone::SetFrozen(bool frozen)
{
    mScopeFrozen.store(frozen, std::memory_order_relaxed);
    if (frozen)
        return;
    mScope.RequestGaps(kUnfreezeGapEntries);
    TakeScopeRequestsIfIdle();
}

// A block that is running takes the requests itself; the editor never waits for it.
void Zarvotone::TakeScopeRequestsIfIdle()
{
    if (!mLock.TryEnter())
        return;
    const bool changed = mScope.TakeRequests();
    mLock.Leave();
    if (changed)
        RedrawControl(mControls.scopeDrawer);
}

void Zarvotone::StepZoom(bool zoomIn, double step)
{
    const double change = kZoomPerStep * step;
    const double shown = ShownZoom(LoadShared(mConfig.ScopeZoom));
    const double zoom = std::clamp(zoomIn ? shown + change : shown - change, kSmallestZoom, kLargestZoom);
    if (std::isfinite(zoom))
        StoreShared(mConfig.ScopeZoom, zoom);
    UpdateZoomText();
}

void Zarvotone::UpdateZoomText()
{
    if (!mControls.zoomText)
        return;
    char text[kZoomTextSize];
    std::snprintf(text, sizeof text, "%3.0f %%", LoadShared(mConfig.ScopeZoom));
    mControls.zoomText->SetTextFromPlug(text);
}

int Zarvotone::GetDrawMode()
{
    return TruncatedOr(mConfig.ScopeDrawMode, 0);
}

// What the scope shows changes at once, also while it is frozen or no audio runs.
void Zarvotone::SetDrawMode(int mode)
{
    mConfig.ScopeDrawMode = mode;
    RedrawControl(mControls.scopeDrawer);
}

bool Zarvotone::IsInputTraceShown()
{
    return mConfig.ScopeDrawInput == kTraceShown;
}

bool Zarvotone::IsOutputTraceShown()
{
    return mConfig.ScopeDrawOutput == kTraceShown;
}

void Zarvotone::SetInputTraceShown(double shown)
{
    mConfig.ScopeDrawInput = shown;
    RedrawControl(mControls.scopeDrawer);
}

void Zarvotone::SetOutputTraceShown(double shown)
{
    mConfig.ScopeDrawOutput = shown;
    RedrawControl(mControls.scopeDrawer);
}

std::string Zarvotone::GetProgramFilePath()
{
    return ConfigText(mConfig.LastSelectedProgramFile);
}

std::string Zarvotone::GetCurveFilePath()
{
    return ConfigText(mConfig.LastSelectedDistoCurveFile);
}

void Zarvotone::RedrawCurveEditors()
{
    if (!mGraphics)
        return;
    switch (TruncatedOr(LoadShared(mConfig.VisibleTab), kNoTab))
    {
    case ZarvotoneControls::kPlugInTab:
        ShowPlugInTab();
        break;
    case ZarvotoneControls::kScopeTab:
        ShowScopeTab();
        break;
    case ZarvotoneControls::kAboutTab:
        ShowAboutTab();
        break;
    default:
        break;
    }
    UpdateZoomText();
    SetButtonValue(mControls.drawModeButton, GetDrawMode() * kDrawModeToValue);
    SetButtonValue(mControls.inputTraceSwitch, IsInputTraceShown() ? 1.0 : 0.0);
    SetButtonValue(mControls.outputTraceSwitch, IsOutputTraceShown() ? 1.0 : 0.0);
}
