#include "tools/vsthost/EditorWindow.h"

struct EditorWindow::Native
{
};

EditorWindow::EditorWindow(EmbeddedEditor& editor) : editor_(editor)
{
    error_ = "the editor window needs the Windows build";
}

EditorWindow::~EditorWindow() = default;

bool EditorWindow::IsOpen() const
{
    return false;
}

void* EditorWindow::HostHandle() const
{
    return nullptr;
}

void* EditorWindow::EditorHandle() const
{
    return nullptr;
}

void EditorWindow::CloseEditor()
{
}

void EditorWindow::Resize(int32_t, int32_t)
{
}

void EditorWindow::WaitForTicks(int32_t)
{
}

void EditorWindow::StopHostTimer()
{
}

void EditorWindow::Play(const EditorAction&)
{
}

std::vector<uint32_t> EditorWindow::CapturePixels() const
{
    return {};
}
