#include "vst3/IEffectVST3View.h"

#include "graphics/IGraphics.h"
#include "vst3/IEffectVST3.h"
#include "vst3/abi/ResultCodes.h"

#include <cstring>

namespace
{
constexpr char kClassName[] = "CPluginView";

bool IsHwnd(Vst3::FIDString type)
{
    return type && std::strcmp(type, IEffectVST3View::kPlatformTypeHwnd) == 0;
}
}

IEffectVST3View::IEffectVST3View(IEffectVST3& plug) : mPlug(plug)
{
    mPlug.addRef();
}

IEffectVST3View::~IEffectVST3View()
{
    CloseEditor();
    mPlug.ForgetView(this);
    mPlug.release();
}

Vst3::tresult PLUGIN_API IEffectVST3View::isPlatformTypeSupported(Vst3::FIDString type)
{
    return mPlug.GetGraphics() && IsHwnd(type) ? Vst3::kResultOk : Vst3::kResultFalse;
}

Vst3::tresult PLUGIN_API IEffectVST3View::attached(void* parent, Vst3::FIDString type)
{
    if (isPlatformTypeSupported(type) != Vst3::kResultOk || !parent)
        return Vst3::kResultFalse;
    try
    {
        if (!mPlug.OpenEditorForView(this, parent))
            return Vst3::kResultFalse;
        PluginViewBase::attached(parent, type);
        mPlug.OnEditorOpened();
        return Vst3::kResultOk;
    }
    catch (...)
    {
        return Vst3::kInternalError;
    }
}

Vst3::tresult PLUGIN_API IEffectVST3View::removed()
{
    try
    {
        CloseEditor();
        return PluginViewBase::removed();
    }
    catch (...)
    {
        return Vst3::kInternalError;
    }
}

void IEffectVST3View::CloseEditor()
{
    if (!mPlug.HasEditorWindowFor(this))
        return;
    mPlug.OnEditorClosed();
    mPlug.CloseEditorForView(this);
}

Vst3::tresult PLUGIN_API IEffectVST3View::getSize(Vst3::ViewRect* size)
{
    const IGraphics* graphics = mPlug.GetGraphics();
    if (!graphics)
        return Vst3::kResultFalse;
    if (!size)
        return Vst3::kInvalidArgument;
    *size = {0, 0, graphics->GetWidth(), graphics->GetHeight()};
    return Vst3::kResultOk;
}

Vst3::tresult PLUGIN_API IEffectVST3View::onSize(Vst3::ViewRect* newSize)
{
    if (!newSize)
        return Vst3::kResultOk;
    PluginViewBase::onSize(newSize);
    if (mExpectingNewSize)
    {
        mExpectingNewSize = false;
        try
        {
            mPlug.OnEditorResized();
        }
        catch (...)
        {
            return Vst3::kInternalError;
        }
    }
    return Vst3::kResultOk;
}

void IEffectVST3View::RequestSize(int width, int height)
{
    Vst3::IPlugFrame* frame = Frame();
    if (!frame)
        return;
    mExpectingNewSize = true;
    Vst3::ViewRect size{0, 0, width, height};
    frame->resizeView(this, &size);
}

const char* IEffectVST3View::ClassName() const
{
    return kClassName;
}

bool IEffectVST3View::IsTypeOf(const char* name) const
{
    return (name && std::strcmp(name, kClassName) == 0) || PluginViewBase::IsTypeOf(name);
}
