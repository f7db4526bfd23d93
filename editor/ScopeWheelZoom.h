#pragma once

namespace Wezmark
{
class IScopeController;
}

// Wheel notches over the scope or its zoom text: up zooms in, down (and no movement) zooms out.
void ZoomScopeByWheel(Wezmark::IScopeController* scope, int notches);
