#pragma once
// The editor view of a VST3 effect in this host's window: the view gets the host's frame,
// is asked for HWND and attached to the window; a size the view asks the frame for resizes
// the window and comes back to the view as its new size.

#include "tools/vst3host/PlugFrame.h"
#include "tools/vsthost/EmbeddedEditor.h"

#include <cstdio>

class PlugViewEditor : public EmbeddedEditor
{
public:
    // The view stays the caller's, with its reference.
    PlugViewEditor(void* view, std::FILE* out);

    bool Size(int32_t& width, int32_t& height, std::string& error) override;
    bool Open(EditorWindow& window, std::string& error) override;
    void Close() override;

    uint32_t FrameReferences() const { return frame_.ForeignReferences(); }
    // The view asked the frame for this size: the window takes it, then the view hears of it.
    ComResult Resize(ViewRectRecord& size);

private:
    const PlugViewTable& View() const { return TableOf<PlugViewTable>(view_); }

    void* view_;
    std::FILE* out_;
    PlugFrame frame_;
    EditorWindow* window_ = nullptr;
};
