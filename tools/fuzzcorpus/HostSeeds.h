#pragma once

#include "tools/fuzzcorpus/Seed.h"

#include <vector>

// Seeds of the readers of host data, from states the plug-in itself writes: program and bank
// chunks with and without their header, VST3 state streams and the display texts of every
// parameter.
std::vector<Seed> MakeHostSeeds();
