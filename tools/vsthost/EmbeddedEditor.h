#pragma once
// A plug-in's editor as the host's window embeds it, whichever plug-in interface it comes
// through.

#include <cstdint>
#include <string>

class EditorWindow;

class EmbeddedEditor
{
public:
    virtual ~EmbeddedEditor() = default;

    // The editor's size in pixels; false with a reason when the plug-in has no editor.
    virtual bool Size(int32_t& width, int32_t& height, std::string& error) = 0;
    // Opens the editor as a child of the window's host window; false with a reason. An editor
    // that asks its host for a new size resizes that window while it is open.
    virtual bool Open(EditorWindow& window, std::string& error) = 0;
    virtual void Close() = 0;
};
