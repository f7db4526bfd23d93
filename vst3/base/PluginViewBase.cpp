#include "vst3/base/PluginViewBase.h"

#include "vst3/abi/ResultCodes.h"

namespace Vst3
{
tresult PLUGIN_API PluginViewBase::queryInterface(const TUID interfaceId, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = nullptr;
    if (!FUnknown::kIid.Matches(interfaceId) && !IPlugView::kIid.Matches(interfaceId))
        return kNoInterface;
    *object = static_cast<IPlugView*>(this);
    AddReference();
    return kResultOk;
}

uint32 PLUGIN_API PluginViewBase::addRef()
{
    return AddReference();
}

uint32 PLUGIN_API PluginViewBase::release()
{
    return ReleaseReference();
}

tresult PLUGIN_API PluginViewBase::isPlatformTypeSupported(FIDString)
{
    return kResultFalse;
}

tresult PLUGIN_API PluginViewBase::attached(void* parent, FIDString)
{
    mSystemWindow = parent;
    return kResultOk;
}

tresult PLUGIN_API PluginViewBase::removed()
{
    mSystemWindow = nullptr;
    return kResultOk;
}

tresult PLUGIN_API PluginViewBase::onWheel(float)
{
    return kResultFalse;
}

tresult PLUGIN_API PluginViewBase::onKeyDown(char16, int16, int16)
{
    return kResultFalse;
}

tresult PLUGIN_API PluginViewBase::onKeyUp(char16, int16, int16)
{
    return kResultFalse;
}

tresult PLUGIN_API PluginViewBase::getSize(ViewRect* size)
{
    if (!size)
        return kInvalidArgument;
    *size = mRect;
    return kResultOk;
}

tresult PLUGIN_API PluginViewBase::onSize(ViewRect* newSize)
{
    if (newSize)
        mRect = *newSize;
    return kResultOk;
}

tresult PLUGIN_API PluginViewBase::onFocus(TBool)
{
    return kResultFalse;
}

tresult PLUGIN_API PluginViewBase::setFrame(IPlugFrame* frame)
{
    mFrame = frame;
    return kResultOk;
}

tresult PLUGIN_API PluginViewBase::canResize()
{
    return kResultFalse;
}

tresult PLUGIN_API PluginViewBase::checkSizeConstraint(ViewRect*)
{
    return kResultFalse;
}
}
