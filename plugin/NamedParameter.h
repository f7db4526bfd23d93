#pragma once

#include <cstdint>
#include <string>

// A program value that carries its own display name, parameter index and file key.
struct NamedParameter
{
    double value = 0.0;
    std::string displayName = "Test Parameter";
    int32_t index = 0;
    std::string fileKey = "Test";
};
