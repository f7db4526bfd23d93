#pragma once

#include "graphics/IControl.h"

// Marks an unbound control for the editor's next redraw; nothing when the editor lacks it.
inline void RedrawControl(IControl* control)
{
    if (control)
        control->SetDirty(true);
}
