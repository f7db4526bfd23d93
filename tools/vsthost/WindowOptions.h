#pragma once
// Window mode, read alike by both hosts: the editor opened in a window of the host, a script
// played on it and a screenshot of it.

#include "tools/vsthost/CommandLine.h"
#include "tools/vsthost/EditorAction.h"

#include <string>
#include <vector>

struct WindowOptions
{
    bool openEditor = false;
    std::vector<EditorAction> editorActions;
    std::string screenshotPath;

    bool WantsEditor() const { return openEditor || !editorActions.empty() || !screenshotPath.empty(); }

    // Adds the window-mode options to the tables.
    void AddTo(CommandLine::Readers& readers, CommandLine::Switches& switches);
    static const char* Usage();
};
