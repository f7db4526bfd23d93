#pragma once
// Window mode as both hosts run it: the editor opened in a window of the host, the script
// played on it, the host's record of edits printed and the screenshot saved.

#include "tools/vsthost/WindowOptions.h"

#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>

class EditorWindow;
class EmbeddedEditor;

namespace WindowMode
{
// What the host recorded of the plug-in's edits: their number so far, and the printing of
// those from a position on.
struct EditRecord
{
    std::function<size_t()> count;
    std::function<void(size_t first)> printFrom;
};

// Runs audio for a scripted number of seconds while the window shows the editor.
using AudioPlayer = std::function<void(EditorWindow& window, double seconds)>;

// False with a reason when the editor did not open or the screenshot was not written. A host
// without a player skips the script's audio steps.
bool Run(EmbeddedEditor& editor, const WindowOptions& options, const EditRecord& edits, std::FILE* out,
         std::string& error, const AudioPlayer& playAudio = {});
}
