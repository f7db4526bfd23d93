#pragma once
// The plug-in's editor opened in a top-level window of this host: the window and its message
// pump, scripted mouse input at editor coordinates, popup-menu choices made with the keys as a
// user would, and the pixels the editor shows. Only the Windows build has windows.

#include "tools/vsthost/EditorAction.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class EmbeddedEditor;

class EditorWindow
{
public:
    // Creates the window at the size of the editor and opens the editor in it.
    explicit EditorWindow(EmbeddedEditor& editor);
    // Closes the editor, then destroys the window.
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    bool IsOpen() const;
    const std::string& Error() const { return error_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // The host's window and the editor's child window (HWNDs), null when there is none.
    void* HostHandle() const;
    void* EditorHandle() const;
    // Closes the editor and keeps the host's window, as a host does when the user closes the
    // plug-in's window but not the project.
    void CloseEditor();
    // Gives the host's window a new inside size, as a host does when the editor asks for one.
    void Resize(int32_t width, int32_t height);

    // Pumps messages until the editor's redraw timer has ticked `ticks` times (or, for an
    // editor without a timer, until the host's own timer gives up waiting).
    void WaitForTicks(int32_t ticks);
    // Stops the host's own timer, which watches for popup menus and bounds the waits of a
    // script: once the script is over, a measurement leaves only a host's usual message loop.
    void StopHostTimer();
    void Play(const EditorAction& action);
    // What the editor shows as 0xAARRGGBB words, rows top-down; empty when it cannot be read.
    std::vector<uint32_t> CapturePixels() const;

private:
    struct Native;

    EmbeddedEditor& editor_;
    std::unique_ptr<Native> native_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::string error_;
};
