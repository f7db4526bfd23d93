#pragma once

#include "vst3/abi/FUnknown.h"
#include "vst3/abi/ViewRect.h"

namespace Vst3
{
class IPlugFrame;

// A plug-in's editor view, embedded by the host in one of its windows (UI thread).
class IPlugView : public FUnknown
{
public:
    static constexpr Uid kIid{0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29};

    virtual tresult PLUGIN_API isPlatformTypeSupported(FIDString type) = 0;
    virtual tresult PLUGIN_API attached(void* parent, FIDString type) = 0;
    virtual tresult PLUGIN_API removed() = 0;
    virtual tresult PLUGIN_API onWheel(float distance) = 0;
    virtual tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
    virtual tresult PLUGIN_API getSize(ViewRect* size) = 0;
    virtual tresult PLUGIN_API onSize(ViewRect* newSize) = 0;
    virtual tresult PLUGIN_API onFocus(TBool state) = 0;
    virtual tresult PLUGIN_API setFrame(IPlugFrame* frame) = 0;
    virtual tresult PLUGIN_API canResize() = 0;
    virtual tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) = 0;
};

// Host side: the frame around a view, which the view asks for a new size.
class IPlugFrame : public FUnknown
{
public:
    static constexpr Uid kIid{0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3};

    virtual tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) = 0;
};
}
