#pragma once

#include "graphics/IFileSelectorControl.h"

namespace Wezmark
{
class IDistoFileController;

// The program section's load or save button: the file dialog opens on the last program file,
// and the chosen path goes to the program file operations, as a VST program file when the
// path holds ".fxp".
class IWzFileSelector : public IFileSelectorControl
{
public:
    // The file types the dialog offers; VST program files exist only in the VST2 plug-in.
    static const char* const kExtensions;

    IWzFileSelector(IEffectBase* plug, IDistoFileController* files, const Rect& rect, const BitmapStrip* strip,
                    int action);

    void OnMouseDown(int x, int y, const MouseModifiers* mods) override;
    bool Draw(IGraphics* graphics) override;

    static bool IsFxpPath(const char* path);

private:
    IDistoFileController* mFiles;
};
} // namespace Wezmark
