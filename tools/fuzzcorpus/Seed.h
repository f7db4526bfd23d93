#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// One seed input of a fuzz target: its path below the corpus folder and its bytes.
struct Seed
{
    std::string path;
    Bytes bytes;
};
