#pragma once

#include "tools/fuzzcorpus/Seed.h"

#include <vector>

// Seeds of the readers of files a user opens, each file written by the code that the editor's
// save or export control calls: every factory program as a program text file and as a VST2
// program file, and a few curves as comma-separated text, C array and WAV file.
std::vector<Seed> MakeFileSeeds();
