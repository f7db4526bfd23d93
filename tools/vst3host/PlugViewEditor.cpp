#include "tools/vst3host/PlugViewEditor.h"

#include "tools/vsthost/EditorWindow.h"

namespace
{
constexpr char kPlatformType[] = "HWND";
}

PlugViewEditor::PlugViewEditor(void* view, std::FILE* out)
    : view_(view), out_(out), frame_(*this)
{
}

bool PlugViewEditor::Size(int32_t& width, int32_t& height, std::string& error)
{
    ViewRectRecord size{};
    if (View().getSize(view_, &size) != kComOk)
    {
        error = "the editor view gave no size";
        return false;
    }
    width = size.right - size.left;
    height = size.bottom - size.top;
    return true;
}

bool PlugViewEditor::Open(EditorWindow& window, std::string& error)
{
    if (View().isPlatformTypeSupported(view_, kPlatformType) != kComOk)
    {
        error = "the editor view does not support HWND";
        return false;
    }
    View().setFrame(view_, frame_.Object());
    if (View().attached(view_, window.HostHandle(), kPlatformType) != kComOk)
    {
        View().setFrame(view_, nullptr);
        error = "the editor view was not attached";
        return false;
    }
    window_ = &window;
    return true;
}

void PlugViewEditor::Close()
{
    View().removed(view_);
    View().setFrame(view_, nullptr);
    window_ = nullptr;
}

ComResult PlugViewEditor::Resize(ViewRectRecord& size)
{
    const int32_t width = size.right - size.left;
    const int32_t height = size.bottom - size.top;
    std::fprintf(out_, "resize: %d x %d\n", width, height);
    if (window_)
        window_->Resize(width, height);
    return View().onSize(view_, &size);
}
