#pragma once

#include "vst3/base/PluginViewBase.h"

class IEffectVST3;

// The editor view a VST3 host embeds: the plug-in's editor window as a child of the host's
// window (HWND only), the editor's size, and resizing through the host's frame. Created by
// the plug-in's createView, which keeps it in its view list; the view holds a reference to
// the plug-in for its whole life. Everything runs on the host's UI thread.
class IEffectVST3View : public Vst3::PluginViewBase
{
public:
    static constexpr char kPlatformTypeHwnd[] = "HWND";

    explicit IEffectVST3View(IEffectVST3& plug);

    Vst3::tresult PLUGIN_API isPlatformTypeSupported(Vst3::FIDString type) override;
    // Refused, opening nothing, for a type other than HWND, while another view shows the
    // editor, or when the window cannot be made.
    Vst3::tresult PLUGIN_API attached(void* parent, Vst3::FIDString type) override;
    Vst3::tresult PLUGIN_API removed() override;
    Vst3::tresult PLUGIN_API getSize(Vst3::ViewRect* size) override;
    Vst3::tresult PLUGIN_API onSize(Vst3::ViewRect* newSize) override;

    // Asks the host's frame to give the view this size; the host's onSize that answers runs
    // the plug-in's resize step once. Nothing without a frame.
    void RequestSize(int width, int height);

    const char* ClassName() const override;
    bool IsTypeOf(const char* name) const override;

private:
    // Released by the last release: a view the host drops without removed() closes its window.
    ~IEffectVST3View() override;

    void CloseEditor();

    IEffectVST3& mPlug;
    bool mExpectingNewSize = false;
};
