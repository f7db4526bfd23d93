#pragma once

#include "vst3/abi/IPlugView.h"
#include "vst3/base/RefCountedObject.h"

namespace Vst3
{
// The common part of an editor view: its reference count, the rectangle the host gave it,
// the host window it is attached to and the host's frame, with the default answers of a
// view that supports no platform, no resizing and no keys.
class PluginViewBase : public IPlugView, public RefCountedObject
{
public:
    tresult PLUGIN_API queryInterface(const TUID interfaceId, void** object) override;
    uint32 PLUGIN_API addRef() override;
    uint32 PLUGIN_API release() override;

    tresult PLUGIN_API isPlatformTypeSupported(FIDString type) override;
    tresult PLUGIN_API attached(void* parent, FIDString type) override;
    tresult PLUGIN_API removed() override;
    tresult PLUGIN_API onWheel(float distance) override;
    tresult PLUGIN_API onKeyDown(char16 key, int16 keyCode, int16 modifiers) override;
    tresult PLUGIN_API onKeyUp(char16 key, int16 keyCode, int16 modifiers) override;
    tresult PLUGIN_API getSize(ViewRect* size) override;
    tresult PLUGIN_API onSize(ViewRect* newSize) override;
    tresult PLUGIN_API onFocus(TBool state) override;
    tresult PLUGIN_API setFrame(IPlugFrame* frame) override;
    tresult PLUGIN_API canResize() override;
    tresult PLUGIN_API checkSizeConstraint(ViewRect* rect) override;

protected:
    PluginViewBase() = default;

    void* SystemWindow() const { return mSystemWindow; }
    // Held without a reference: the host keeps its frame alive while the view is attached.
    IPlugFrame* Frame() const { return mFrame; }

private:
    ViewRect mRect{};
    void* mSystemWindow = nullptr;
    IPlugFrame* mFrame = nullptr;
};
}
