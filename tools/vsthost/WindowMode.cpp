#include "tools/vsthost/WindowMode.h"

#include "tools/vsthost/EditorWindow.h"
#include "tools/vsthost/PngFile.h"

namespace
{
// Redraw ticks of the editor after it opened and after each scripted step: one tick collects
// what changed, the next finds nothing left.
constexpr int32_t kTicksToSettle = 2;
}

bool WindowMode::Run(EmbeddedEditor& editor, const WindowOptions& options, const EditRecord& edits, std::FILE* out,
                     std::string& error, const AudioPlayer& playAudio)
{
    EditorWindow window(editor);
    if (!window.IsOpen())
    {
        error = window.Error();
        return false;
    }
    std::fprintf(out, "editor: %d x %d\n", window.Width(), window.Height());
    window.WaitForTicks(kTicksToSettle);
    const size_t firstEdit = edits.count();
    for (const EditorAction& action : options.editorActions)
    {
        if (action.kind == EditorAction::Kind::PlayAudio)
        {
            if (playAudio)
                playAudio(window, action.seconds);
        }
        else
            window.Play(action);
        window.WaitForTicks(kTicksToSettle);
    }
    edits.printFrom(firstEdit);
    if (options.screenshotPath.empty())
        return true;
    if (!PngFile::Write(options.screenshotPath, window.CapturePixels(), window.Width(), window.Height(), error))
        return false;
    std::fprintf(out, "screenshot: %s\n", options.screenshotPath.c_str());
    return true;
}
