#include "plugin/Zarvotone.h"

// Without a window layer the plug-in has no editor; tests build one on a windowless editor.
IGraphics* Zarvotone::CreateEditor()
{
    return nullptr;
}
