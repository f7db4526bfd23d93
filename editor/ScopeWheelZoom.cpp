#include "editor/ScopeWheelZoom.h"

#include "plugin/IScopeController.h"

void ZoomScopeByWheel(Wezmark::IScopeController* scope, int notches)
{
    if (!scope)
        return;
    if (notches > 0)
        scope->StepZoom(true, notches);
    else
        scope->StepZoom(false, -notches);
}
