#pragma once

#include <cstdint>

// The bytes are not owned.
struct SysExMessage
{
    int32_t offset;
    int32_t size;
    const uint8_t* data;
};
