#pragma once
// One effect instance shared by all inputs of a fuzz run, and the checks every state it
// reaches must pass.

#include "plugin/Zarvotone.h"

#include <cstdint>
#include <vector>

// Built on first use and kept for the whole run.
Zarvotone& FuzzedPlugin();

std::vector<uint8_t> StateOf(Zarvotone& plugin);

// Aborts unless every text is terminated, every parameter is finite and within its range and
// every chain's current curve is finite and within -1..1.
void CheckPluginState(Zarvotone& plugin);
