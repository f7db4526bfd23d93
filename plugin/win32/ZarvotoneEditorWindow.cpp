#include "plugin/Zarvotone.h"

#include "graphics/win32/IGraphicsWin.h"

IGraphics* Zarvotone::CreateEditor()
{
    return new IGraphicsWin(this, kEditorWidth, kEditorHeight, kEditorFrameRate);
}
