#pragma once

#include <cstdint>
#include <string>

// The word under which program text files store one parameter.
struct ProgramKey
{
    std::string key;
    int32_t index;
};
