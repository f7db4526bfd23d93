#pragma once
// The host's message loop on the UI thread for a while, as a host runs it between user actions,
// optionally calling an idle function at a steady rate.

#include <functional>

namespace MessageLoop
{
// Dispatches this thread's messages for `seconds`; with an idle function, calls it `idleHz`
// times a second in between.
void RunFor(double seconds, double idleHz, const std::function<void()>& idle);
}
