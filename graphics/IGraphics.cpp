#include "graphics/IGraphics.h"

#include "framework/IEffectBase.h"
#include "framework/IParameter.h"
#include "graphics/BitmapCache.h"
#include "graphics/DirtyArea.h"
#include "graphics/IControl.h"
#include "graphics/OpaqueCover.h"
#include "graphics/PIX_MemBitmap.h"

#include <algorithm>
#include <cmath>

IGraphics::IGraphics(IEffectBase* plug, int width, int height, int frameRate)
    : mPlug(plug), mWidth(width), mHeight(height), mFrameRate(frameRate)
{
}

IGraphics::~IGraphics()
{
    delete mKeyCatcher;
    DeleteControls();
    DeleteDrawBitmaps();
}

bool IGraphics::MeasureText(TextStyle* style, const char* text, Rect* rect)
{
    return DrawText(style, text, rect, true);
}

void IGraphics::SetEditorSize(int width, int height)
{
    mWidth = width;
    mHeight = height;
    ReleaseMouseCapture();
    DeleteControls();
    DeleteDrawBitmaps();
    CreateDrawBitmap();
    if (mPlug)
        mPlug->ResizeEditor(width, height);
}

bool IGraphics::IsWindowOpen()
{
    return GetWindowHandle() != nullptr;
}

const char* IGraphics::GetDrawingBackendName()
{
    return "";
}

void IGraphics::HideCursor()
{
}

void IGraphics::RestoreCursor()
{
}

int IGraphics::AddControl(IControl* control)
{
    if (!control)
        return kNoControl;
    if (!mControls.Add(control))
    {
        delete control;
        return kNoControl;
    }
    return mControls.Count() - 1;
}

void IGraphics::InsertFirstControl(IControl* control)
{
    if (control && !mControls.InsertFirst(control))
        delete control;
}

void IGraphics::DeleteControls()
{
    mControls.DeleteAll();
}

void IGraphics::SetKeyCatcher(IControl* control)
{
    if (control != mKeyCatcher)
        delete mKeyCatcher;
    mKeyCatcher = control;
}

double IGraphics::NormaliseParamValue(const IParameter& param, double value)
{
    const double range = param.Maximum() - param.Minimum();
    if (!(range > 0.0))
        return 0.0;
    const double position = (std::clamp(value, param.Minimum(), param.Maximum()) - param.Minimum()) / range;
    const double shape = param.Shape();
    return shape == 1.0 || !(shape > 0.0) ? position : std::pow(position, 1.0 / shape);
}

void IGraphics::ShowParamValue(int paramIndex, double value, bool normalised)
{
    if (!normalised)
    {
        const IParameter* param = mPlug ? mPlug->GetParam(paramIndex) : nullptr;
        if (!param)
            return;
        value = NormaliseParamValue(*param, value);
    }
    for (int i = 0; i < mControls.Count(); ++i)
    {
        IControl* control = mControls.Get(i);
        if (control->GetParamIndex() == paramIndex)
            control->SetValueFromPlug(value);
        for (int aux = 0; aux < control->GetAuxParamCount(); ++aux)
        {
            if (control->GetAuxParamIndex(aux) == paramIndex)
            {
                control->SetAuxParamValueFromPlug(aux, value);
                break;
            }
        }
    }
}

void IGraphics::CreateDrawBitmap()
{
    DeleteDrawBitmaps();
    mDrawBitmap = CreateDrawSurface(mWidth, mHeight);
    mScratchBitmap = new PIX_MemBitmap;
}

void IGraphics::DeleteDrawBitmaps()
{
    delete mDrawBitmap;
    mDrawBitmap = nullptr;
    delete mScratchBitmap;
    mScratchBitmap = nullptr;
}

bool IGraphics::DrawDirty(const Rect* invalid)
{
    if (mControls.Count() == 0)
        return true;
    const Rect area = invalid ? *invalid : Rect{};
    mDrawRect = area;
    const OpaqueCover cover = OpaqueCover::Find(mControls, area);
    for (int i = 0; i < mControls.Count(); ++i)
    {
        IControl* control = mControls.Get(i);
        const Rect& rect = control->GetDrawRect();
        const bool meets = !area.IsEmpty() && !rect.IsEmpty() && rect.Meets(area);
        // A control outside the area keeps its mark for the pass that covers it; one without a
        // rect has nothing to show.
        if (!meets && !rect.IsEmpty())
            continue;
        control->BeginRedraw();
        if (meets && !control->IsHidden())
        {
            if (i < cover.index)
                DrawAroundCover(control, cover, area);
            else
                control->Draw(this);
        }
        control->TakePendingRedraw();
    }
    return PaintRect(&area);
}

// What a control below the cover shows is only what lies around the cover's opaque part.
void IGraphics::DrawAroundCover(IControl* control, const OpaqueCover& cover, const Rect& area)
{
    for (int s = 0; s < cover.stripCount; ++s)
    {
        if (!control->GetDrawRect().Meets(cover.strips[s]))
            continue;
        mDrawRect = cover.strips[s];
        control->Draw(this);
    }
    mDrawRect = area;
}

bool IGraphics::CollectDirtyArea(DirtyArea* dirty)
{
    DirtyArea area;
    for (int i = 0; i < mControls.Count(); ++i)
    {
        IControl* control = mControls.Get(i);
        // A control without a rect has nothing to paint, and must not stretch the area to
        // the origin; a control that stays hidden has nothing to show or erase.
        if (control->GetDrawRect().IsEmpty() || control->StaysHidden() || !control->IsDirty())
            continue;
        control->AddRedrawArea(&area);
    }
    if (dirty)
        *dirty = area;
    return !area.IsEmpty();
}

bool IGraphics::CollectTickArea(DirtyArea* dirty)
{
    if (mPlug)
        mPlug->OnRedrawTick();
    return CollectDirtyArea(dirty);
}

BitmapStrip* IGraphics::LoadBitmapResource(BitmapStrip* strip, int id, const char* name, int frames)
{
    if (!strip)
        return nullptr;
    PIX_IBitmap* bitmap = BitmapCache::Find(id);
    if (!bitmap)
    {
        bitmap = LoadPngResource(id, name);
        if (bitmap && !BitmapCache::Add(id, bitmap))
            bitmap = nullptr;
    }
    *strip = BitmapStrip{bitmap, bitmap ? bitmap->GetWidth() : 0, bitmap ? bitmap->GetHeight() : 0, frames, false};
    return strip;
}
