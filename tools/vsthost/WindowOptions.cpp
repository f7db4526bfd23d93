#include "tools/vsthost/WindowOptions.h"

namespace
{
// Each mouse option adds its step to the script in command-line order.
CommandLine::Readers::value_type EditorActionReader(const char* option, EditorAction::Kind kind,
                                                    std::vector<EditorAction>& script)
{
    return {option, [kind, &script](const std::string& text) {
                const auto action = EditorAction::Parse(kind, text);
                if (action)
                    script.push_back(*action);
                return action.has_value();
            }};
}
}

void WindowOptions::AddTo(CommandLine::Readers& readers, CommandLine::Switches& switches)
{
    readers.insert({"--screenshot", [this](const std::string& v) { return !(screenshotPath = v).empty(); }});
    readers.insert(EditorActionReader("--press", EditorAction::Kind::Press, editorActions));
    readers.insert(EditorActionReader("--drag", EditorAction::Kind::Drag, editorActions));
    readers.insert(EditorActionReader("--release", EditorAction::Kind::Release, editorActions));
    readers.insert(EditorActionReader("--right-click", EditorAction::Kind::RightClick, editorActions));
    readers.insert(EditorActionReader("--menu-item", EditorAction::Kind::ChooseMenuItem, editorActions));
    readers.insert(EditorActionReader("--type", EditorAction::Kind::Type, editorActions));
    readers.insert(EditorActionReader("--key", EditorAction::Kind::Key, editorActions));
    readers.insert(EditorActionReader("--play", EditorAction::Kind::PlayAudio, editorActions));
    readers.insert(EditorActionReader("--menu-screenshot", EditorAction::Kind::MenuScreenshot, editorActions));
    switches.insert({"--editor", &openEditor});
}

const char* WindowOptions::Usage()
{
    return "window mode (Windows build): the editor opened in a window of the host, before rendering\n"
           "  --editor                open the editor and close it again\n"
           "  --press X,Y             press the left button at editor coordinates X,Y (repeatable)\n"
           "  --drag X,Y              move the held button to X,Y (repeatable)\n"
           "  --release X,Y           release the button at X,Y (repeatable)\n"
           "  --right-click X,Y       press and release the right button at X,Y (repeatable)\n"
           "  --menu-item N[.M...]    the next popup menu gets item N (in its submenu, item M) chosen with the keys\n"
           "  --type TEXT             type the text into the window that has the keyboard focus\n"
           "  --key NAME              press enter, escape, tab, space, up, down, left or right there\n"
           "  --play SECONDS          run the signal through the plug-in while the editor shows (VST2)\n"
           "  --menu-screenshot FILE.png  save the screen around the next popup menu as it opens\n"
           "  --screenshot FILE.png   save what the editor shows after the script\n";
}
