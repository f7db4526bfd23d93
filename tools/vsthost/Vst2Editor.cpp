#include "tools/vsthost/Vst2Editor.h"

#include "framework/vst2/Vst2Constants.h"
#include "tools/vsthost/EditorWindow.h"
#include "tools/vsthost/PluginInstance.h"

bool Vst2Editor::Size(int32_t& width, int32_t& height, std::string& error)
{
    ERect* rect = nullptr;
    if (!plugin_.HasFlag(effFlagsHasEditor) || !plugin_.Dispatch(effEditGetRect, 0, 0, &rect) || !rect)
    {
        error = "the plug-in has no editor";
        return false;
    }
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
    return true;
}

bool Vst2Editor::Open(EditorWindow& window, std::string& error)
{
    if (plugin_.Dispatch(effEditOpen, 0, 0, window.HostHandle()))
        return true;
    error = "the plug-in did not open its editor";
    return false;
}

void Vst2Editor::Close()
{
    plugin_.Dispatch(effEditClose);
}
