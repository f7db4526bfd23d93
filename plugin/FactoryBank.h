#pragma once

#include "plugin/ZarvotoneProgram.h"

#include <vector>

// The 128 factory programs in bank order. Entries whose names begin with "#" head a group
// of the preset menu and are ordinary programs as well.
std::vector<Wezmark::ZarvotoneProgram> CreateFactoryPrograms();
